#pragma once

#include "texts/language.h"

// Texts of the FM preset editor.
namespace FmText {

inline constexpr BiText Caption{"FM Radio Information", "FM 收音机频道编辑"};
inline constexpr BiText Read{"Read", "读 取"};
inline constexpr BiText Write{"Write", "写  入"};
inline constexpr BiText Clear{"Clear", "清  除"};
inline constexpr BiText Default{"Default", "出厂值"};
inline constexpr BiText Save{"Save", "保  存"};
inline constexpr BiText Open{"Open", "打  开"};
inline constexpr BiText Close{"Close", "关  闭"};

// Grid headers; "^" centres a column.
inline constexpr BiText Headers{"^FM  Channel|^ Receive Frequency (MHZ)|^ FM Station Name  ",
                                "^FM 频 道 号|^  接  收  频  率 (MHZ)  |^     电    台    名    称    "};

inline constexpr BiText OutOfRange{"Over the range of receive frequency .", "接收频率超出范围 ！"};
inline constexpr BiText NameTooLong{"The letter of channel name max 6 bit . ", "信道名称的字符个数最大为 6 位 ！"};

inline constexpr BiText ReadDone{"Read FM Radio parameters in gear. ", " FM 收音机参数读出正常 ！"};
inline constexpr BiText WriteDone{"Complete writing Signal parameters ", "收音机参数写入完毕 ！"};
inline constexpr BiText ReadComplete{"Complete reading the data from transceiver.", "从对讲机中读取数据完毕 ！"};
inline constexpr BiText WriteComplete{"Complete writing Signal parameters to the transceiver.", "向对讲机写入参数完毕 ！"};

} // namespace FmText
