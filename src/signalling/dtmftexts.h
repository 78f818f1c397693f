#pragma once

#include "texts/language.h"

// Texts of the DTMF window.
namespace DtmfText {

inline constexpr BiText Caption{"DTMF Encode/Decode ", "DTMF 编解码参数编辑"};
inline constexpr BiText EncodeFrame{"DTMF Encode", "DTMF 编码"};
inline constexpr BiText NumberColumn{"Number", "编码码组"};
inline constexpr BiText CodeColumn{" Code ", "发送编码"};
inline constexpr BiText OnTime{"DTMF Speed (On Time)", "发码持续时间（MS）"};
inline constexpr BiText OffTime{"DTMF Speed (Off Time)", "发码间断时间（MS）"};
inline constexpr BiText GroupCode{"Group Code", "群呼码"};
inline constexpr BiText StateFrame{"State", "本机状态"};
inline constexpr BiText RxDisable{"RX Disable", "接收禁止"};
inline constexpr BiText TxDisable{"TX Disable", "发射禁止"};
inline constexpr BiText DecodeFrame{"DTMF Decode", "DTMF 解码"};
inline constexpr BiText Inspection{"Inspection", "巡 查 码"};
inline constexpr BiText Monitor{"Monitor", "监 听 码"};
inline constexpr BiText Alarm{"Alarm", "报 警 码"};
inline constexpr BiText Stun{"Stun", "遥 晕 码"};
inline constexpr BiText Kill{"Kill", "遥 毙 码"};
inline constexpr BiText Revive{"Revive", "开 机 码"};
inline constexpr BiText ControlFrame{"Control ID code and control right", "控制ID码及控制权限"};
// The English labels stand on two lines, staggered over the five boxes.
inline constexpr BiText RightsLabels{"      Inspection             Stun                 Revive \n"
                                     "              Monitor                Kill",
                                     "巡查      监听     遥晕     遥毙      开机 "};
inline constexpr BiText ControlCheck{"Function Control by master and vice ID code", "接受主副ID控制"};
inline constexpr BiText MasterId{"Master Control ID", "主控ID码"};
inline constexpr BiText ViceId{"Vice Control ID", "副控ID码"};
inline constexpr BiText SpaceCode{"Space Code", "码组间隔码"};
inline constexpr BiText ResetTime{"Reset Time(ms)", "复位时间(ms)"};
inline constexpr BiText DelayProcessing{"Delay processing time (ms)", "收码结束延迟处理时间(ms)"};

inline constexpr BiText Read{"Read", "读 取"};
inline constexpr BiText Write{"Write", "写  入"};
inline constexpr BiText Default{"Default", "默 认"};
inline constexpr BiText Save{"Save", "保  存"};
inline constexpr BiText Open{"Open", "打  开"};
inline constexpr BiText Close{"Close", "关  闭"};

inline constexpr BiText ReadComplete{"Complete reading the data from transceiver.", "从对讲机中读取数据完毕 ！"};
inline constexpr BiText WriteComplete{"Complete writing DTMF Signal parameters to the transceiver.",
                                      "向对讲机写入 DTMF 信令参数完毕 ！"};
inline constexpr BiText ReadDone{"Read DTMF Signal parameters in gear. ", "DTMF 信令参数读出正常 ！"};
inline constexpr BiText WriteDone{"Complete writing DTMF Signal parameters ", "DTMF 信令参数写入完毕 ！"};

// Names for screen readers of controls that stand under a shared caption.
inline constexpr BiText MasterRight{"Master right %1", "主控权限 %1"};
inline constexpr BiText ViceRight{"Vice right %1", "副控权限 %1"};
inline constexpr BiText EncodeCode{"Code %1", "发送编码 %1"};

} // namespace DtmfText
