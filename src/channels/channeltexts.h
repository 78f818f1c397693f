#pragma once

#include "texts/language.h"

#include <QString>

// Texts of the channel editor.
namespace ChannelText {

inline constexpr BiText Caption{"Channel Information", "信道参数编辑"};
inline constexpr BiText Read{"Read", "读 取"};
inline constexpr BiText Write{"Write", "写 入"};
inline constexpr BiText Clear{"Clear", "清 除"};
inline constexpr BiText Default{"Default", "出厂值"};
inline constexpr BiText Save{"Save", "保 存"};
inline constexpr BiText Open{"Open", "打 开"};
inline constexpr BiText Close{"Close", "关 闭"};

// Headers of the grid's list columns, blanks included; a comparison names the fields by them.
inline constexpr BiText PowerHeader{"TX Power", "发射功率"};
inline constexpr BiText BandwidthHeader{" W/N ", "信道带宽"};
inline constexpr BiText PttIdHeader{"PTT-ID", "PTT-ID"};
inline constexpr BiText BusyLockHeader{"BusyLock", "繁忙锁定"};
inline constexpr BiText ScanAddHeader{"Scan_Add", "扫描添加"};
inline constexpr BiText SignalCodeHeader{"SigCode", "信令码"};
inline constexpr BiText SignallingHeader{"Opisug", "可选信令"};
inline constexpr BiText MuteModeHeader{"Spmute", "静音方式"};
inline constexpr BiText ScramblerHeader{"SCR", "扰频"};

inline constexpr BiText RxOutOfRange{"Over the range of receive frequency .", "接收频率超出范围 ！"};
inline constexpr BiText TxOutOfRange{"Over the range of transmit frequency .", "发射频率超出范围 ！"};
inline constexpr BiText RxFirst{"Please input the receive frequency in advance.", "请先输入接收频率 ！"};
inline constexpr BiText NameTooLong{"The letter of channel name max 6 bit . ", "信道名称的字符个数最大为 6 位 ！"};

inline constexpr BiText ReadDone{"Read Channel Data is Ok ！", "信道数据读出正常 ！"};
inline constexpr BiText WriteDone{"Channel Data Writed ！", "信道数据写入完毕 ！"};
// The channel editor's fault line differs from the read window's in Chinese.
inline constexpr BiText Fault{"Communication fault.", "联机故障 ！"};

// "Channel 5that Receiving or transmitting frequency  out of frequency limitation range "
inline QString bandCheckFailed(int channel, bool chinese)
{
    return chinese ? QStringLiteral("信道 %1 中的接收或发射频率超出频率限制范围").arg(channel)
                   : QStringLiteral("Channel %1that Receiving or transmitting frequency  out of frequency limitation range ")
                         .arg(channel);
}

// "Writeing  5  Channel" / "正在写入  5  信道"
inline QString writingChannel(int channel, bool chinese)
{
    return chinese ? QStringLiteral("正在写入  %1  信道").arg(channel)
                   : QStringLiteral("Writeing  %1  Channel").arg(channel);
}

// Editing many channels at once: the entries of the grid's menu and the Edit menu.
inline constexpr BiText Cut{"Cu&t", "剪切(&T)"};
inline constexpr BiText Copy{"&Copy", "复制(&C)"};
inline constexpr BiText Paste{"&Paste", "粘贴(&P)"};
inline constexpr BiText Delete{"&Delete", "删除(&D)"};
inline constexpr BiText SelectAll{"Select &all", "全选(&A)"};
inline constexpr BiText InsertEmpty{"Insert empty channel", "插入空信道"};
inline constexpr BiText RemoveClosingGap{"Remove and close gap", "移除并补齐空位"};
inline constexpr BiText MoveUp{"Move up", "上移"};
inline constexpr BiText MoveDown{"Move down", "下移"};
inline constexpr BiText Sort{"Sort", "排序"};
inline constexpr BiText SortByRx{"By RX frequency", "按接收频率"};
inline constexpr BiText SortByName{"By name", "按信道名称"};
inline constexpr BiText SortByTone{"By channel tone", "按信道亚音"};
inline constexpr BiText Find{"&Find...", "查找(&F)..."};
inline constexpr BiText FindNext{"Find next", "查找下一个"};
inline constexpr BiText Print{"Print channel list...", "打印信道表..."};
inline constexpr BiText ExportPdf{"Export channel list as PDF...", "导出信道表为 PDF..."};

inline constexpr BiText FindLabel{"Find:", "查找："};
inline constexpr BiText FindHint{"name or frequency, e.g. 145.5", "名称或频率，例如 145.5"};
inline constexpr BiText FindClose{"Close", "关闭"};
inline constexpr BiText NotFound{"Not found", "未找到"};
inline constexpr BiText PdfFilter{"PDF files (*.pdf)", "PDF 文件 (*.pdf)"};
inline constexpr BiText PdfWriteFailed{"The PDF file could not be written.", "无法写入 PDF 文件。"};
inline constexpr BiText PrintTitle{"Channel list", "信道表"};
inline constexpr BiText PrintRadio{"Radio", "对讲机"};
inline constexpr BiText PrintPage{"Page", "页"};

inline constexpr BiText NoRoomBelow{"No channel below is empty: inserting an empty channel would push the last channel "
                                    "off the end. Nothing was changed.",
                                    "下方没有空信道：插入空信道会使最后一个信道被挤出。未作任何更改。"};

// What a step acted on.
inline constexpr BiText OneChannel{"channel %1", "信道 %1"};
inline constexpr BiText ChannelRun{"channels %1–%2", "信道 %1–%2"};
inline constexpr BiText SomeChannels{"%1 channels", "%1 个信道"};

// Step names, after what they acted on ("channels 3–7").
inline constexpr BiText StepDelete{"delete", "删除"};
inline constexpr BiText StepCut{"cut", "剪切"};
inline constexpr BiText StepPaste{"paste at", "粘贴到"};
inline constexpr BiText StepInsert{"insert empty channel at", "插入空信道于"};
inline constexpr BiText StepRemove{"remove and close gap", "移除并补齐"};
inline constexpr BiText StepMoveUp{"move up", "上移"};
inline constexpr BiText StepMoveDown{"move down", "下移"};
inline constexpr BiText StepSortRx{"sort by RX frequency", "按接收频率排序"};
inline constexpr BiText StepSortName{"sort by name", "按信道名称排序"};
inline constexpr BiText StepSortTone{"sort by channel tone", "按信道亚音排序"};

// "The value was not applied to channels 3, 8 (empty, or out of range)."
inline QString notAppliedTo(const QString &channels, bool chinese)
{
    return chinese ? QStringLiteral("以下信道未应用该值（空信道或超出范围），保留原值：%1").arg(channels)
                   : QStringLiteral("These channels kept their value (empty, or the value is out of range): %1").arg(channels);
}

} // namespace ChannelText
