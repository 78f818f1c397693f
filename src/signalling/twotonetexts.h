#pragma once

#include "texts/language.h"

#include <QString>

// Texts of the 2-tone window.
namespace TwoToneText {

inline constexpr BiText Caption{"2 TONE", "2 TONE 编解码参数编辑"};
inline constexpr BiText EncodeTab{"Encode", "编码"};
inline constexpr BiText DecodeTab{"Decode", "解码"};
inline constexpr BiText EncodeFrame{"2 TONE Encode", "2 TONE 编码"};
inline constexpr BiText FirstDuration{"1st Tone Duration(MS)", "发送第 1 个频率时间长度（MS）"};
inline constexpr BiText SecondDuration{"2nd Tone Duration(MS)", "发送第 2 个频率时间长度（MS）"};
inline constexpr BiText Gap{"Gap of Tone (MS)", "前后两个频率的间隔时长 （MS）"};
inline constexpr BiText DecodeFrame{"2 TONE Decode", "2 TONE 解码"};
inline constexpr BiText Tones[4]{{"A Tone( HZ )", "A 音（HZ）"},
                                 {"B Tone( HZ )", "B 音（HZ）"},
                                 {"C Tone( HZ )", "C 音（HZ）"},
                                 {"D Tone( HZ )", "D 音（HZ）"}};
inline constexpr BiText ResetTime{"Reset_Time (MS)", "复位时间（MS）"};

inline constexpr BiText EncodeHeaders{"^ Code|^ 1st Frequency(HZ)|^ 2nd Frequency(HZ)",
                                      "^ 信息码 |^ 第 1 个频率(HZ) |^ 第 2 个频率(HZ) "};
inline constexpr BiText DecodeHeaders{
    "^ Code|^Dec_1|^    Response   |^Alert|^Dec_2|^   Response   |^Alert|^Dec_3|^   Response   |^Alert|"
    "^Dec_4|^   Response   |^Alert",
    "^ 信息码|^解码1|^   响 应 方 式  |^提示|^解码2|^   响 应 方 式  |^提示|^解码3|^   响 应 方 式  |^提示|"
    "^解码4|^   响 应 方 式  |^提示"};

// " 1 Decode 2 Tone Frequency" / " 1 解码信息两音频率"
inline QString toneSetCaption(int code, bool chinese)
{
    return chinese ? QStringLiteral(" %1 解码信息两音频率").arg(code)
                   : QStringLiteral(" %1 Decode 2 Tone Frequency").arg(code);
}

inline constexpr BiText RangeTitle{"Operate Prompt\"", "操作提示"};
inline constexpr BiText OutOfRange{"Frequency range 300Hz to 3000Hz", "频率范围在 300.0 HZ - 3000.0 HZ 之间  ！"};

inline constexpr BiText ReadComplete{"Complete reading the data from transceiver.", "从对讲机中读取数据完毕 ！"};
inline constexpr BiText WriteComplete{"Complete writing Signal parameters to the transceiver.",
                                      "向对讲机写入信令参数完毕 ！"};
inline constexpr BiText ReadDone{"Read Signal parameters in gear. ", "信令参数读出正常 ！"};
inline constexpr BiText WriteDone{"Complete writing Signal parameters ", "信令参数写入完毕 ！"};

} // namespace TwoToneText
