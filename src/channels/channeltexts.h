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

// Grid headers; "^" centres a column.
inline constexpr BiText Headers{
    "^Channel|^  Band  |^RX Frequency|^TX Frequency|^CTCSS/DCS Dec|^CTCSS/DCS Enc|^TX Power|^ W/N |^PTT-ID|"
    "^BusyLock|^Scan_Add|^SigCode|^Opisug|^Spmute|^SCR|^CH-Name",
    "^信道号|^ 工作频段 |^接收频率(MHZ)|^发射频率(MHZ)|^QT/DQT 解码|^QT/DQT 编码|^发射功率|^信道带宽|^PTT-ID|"
    "^繁忙锁定|^扫描添加|^信令码|^可选信令|^静音方式|^扰频|信 道 名 称"};

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

} // namespace ChannelText
