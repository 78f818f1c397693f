#pragma once

#include "texts/language.h"

// Texts of the optional features editor.
namespace OptionText {

inline constexpr BiText Caption{"Optional Features", "可选参数编辑"};
inline constexpr BiText Read{"Read", "读 取"};
inline constexpr BiText Write{"Write", "写  入"};
inline constexpr BiText Default{"Default", "默 认"};
inline constexpr BiText Save{"Save", "保  存"};
inline constexpr BiText Open{"Open", "打  开"};
inline constexpr BiText Close{"Close", "关  闭"};

// Option area labels.
inline constexpr BiText Tdr{"TDR", "双频守侯"};
inline constexpr BiText Squelch{"Squelch Level", "静噪电平"};
inline constexpr BiText TimeOut{"Time Out Timer(TOT)[S]", "发射超时定时器（秒）"};
inline constexpr BiText TimeOutAlert{"TOT Pre-Alart[S]", "发射结束预警（秒）"};
inline constexpr BiText BackLightTime{"ABR", "自动背光"};
inline constexpr BiText Beep{"Beep", "操作提示音"};
inline constexpr BiText DtmfSideTone{"DTMF-ST", "DTMF侧音"};
inline constexpr BiText BusyLockOut{"BCL", "遇忙禁发"};
inline constexpr BiText ScanAdd{"Scan Add", "扫描添加"};
inline constexpr BiText PriorityScan{"Moni Priority Channel", "优先扫描"};
inline constexpr BiText PriorityChannel{"Priority Channel", "优先信道"};
inline constexpr BiText ScanResume{"Scan_Rev", "扫描方式"};
inline constexpr BiText PttId{"PTT_ID", "PTT_ID"};
inline constexpr BiText PttIdDelay{"PTT_Delay", "发ID延迟"};
inline constexpr BiText AlarmType{"Alarm Type", "报警模式"};
inline constexpr BiText AlarmChannel{"Alarm Channel", "报警信道"};
inline constexpr BiText RingTime{"Ring_Time", "振铃时间"};
inline constexpr BiText DisplayA{"A Channel Disp Way", "A 段信道显示方式"};
inline constexpr BiText DisplayB{"B Channel Disp Way", "B 段信道显示方式"};
inline constexpr BiText AutoLock{"Auto Lock", "自动锁"};
inline constexpr BiText PowerOnDisplay{"Power-On Message", "开机显示"};
inline constexpr BiText WaitLight{"Wait Back Light", "守侯背光"};
inline constexpr BiText ReceiveLight{"RX Back Light", "接收背光"};
inline constexpr BiText TransmitLight{"TX Back Light", "发射背光"};
inline constexpr BiText AniLength{"Lang", "身份码长"};
inline constexpr BiText RelaySignal{"Relay Signal ", "中继激活信令"};
inline constexpr BiText RelayCondition{"Relay Condition ", "中继转发条件"};

inline constexpr BiText Message{"Power-On Message", "开机显示字符"};
inline constexpr BiText Ani{"ANI", "身份码"};
inline constexpr BiText PttIdBegin{"Press PTT to Send", "按下发码"};
inline constexpr BiText PttIdEnd{"Release PTT to Send", "松开发码"};

// Band records.
inline constexpr BiText FrameA{"A Band Frequency Mode", "Ａ段频率模式"};
inline constexpr BiText FrameB{"B Band Frequency Mode", "Ｂ段频率模式"};
inline constexpr BiText Frequency{"Frequency", "当前频率"};
inline constexpr BiText Band{"Band", "频段"};
inline constexpr BiText Range{"Freq Range", "频率范围"};
inline constexpr BiText Offset{"Offset", "频差频率"};
inline constexpr BiText RxTone{"RX QT/DQT", "接收哑音"};
inline constexpr BiText TxTone{"TX QT/DQT", "发射哑音"};
inline constexpr BiText SignalCode{"Signal Code", "信令编码"};
inline constexpr BiText SpeakMute{"Speak Mute", "信令关系"};
inline constexpr BiText OptionalSignal{"Optional Signal", "可选信令"};
inline constexpr BiText Scrambler{"SCR", "扰频"};
inline constexpr BiText Bandwidth{"W/N", "信道带宽"};
inline constexpr BiText Power{"TX Power", "发射功率"};
inline constexpr BiText ShiftDirection{"SFT_D", "频差方向"};
inline constexpr BiText Step{"Step Frequency", "步进频率"};
inline constexpr const char *BandNames[] = {"VHF", "UHF"};

// Messages.
inline constexpr BiText FrequencyTooLong{"Over the range of  frequency .", "频率超出范围 ！"};
// Shown in Chinese whatever the language.
inline constexpr const char *FrequencyOutOfBand = "当前工作频率超出范围 ！";
inline constexpr BiText AniLengthWrong{"ANI ID code length is 3 to 5 digit.", "身份码长度为 3 - 5 位 ！"};
inline constexpr BiText AniRangeWrong{" Available ANI ID code from 00000 to 99999. ", " 身份码的有效数字为 00000 - 99999 "};

// The window's own transfer.
inline constexpr BiText ReadDone{"Read optional parameters in gear. ", "可选参数读出正常 ！"};
inline constexpr BiText WriteDone{"Complete writing optional parameters ", "可选参数写入完毕 ！"};
inline constexpr BiText ReadComplete{"Complete reading the data from transceiver.", "从对讲机中读取数据完毕 ！"};
inline constexpr BiText WriteComplete{"Complete writing optional parameters to the transceiver.", "向对讲机写入可选参数完毕 ！"};

} // namespace OptionText
