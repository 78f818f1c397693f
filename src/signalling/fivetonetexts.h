#pragma once

#include "signalling/twotonetexts.h"
#include "texts/language.h"

#include <QString>

// Texts of the 5-tone window.
namespace FiveToneText {

inline constexpr BiText Caption{"5 Tone Encode/Decode ", "5音信令编解码参数编辑"};

// The window has no completion texts of its own: its users know the 2-tone window's, and
// its busy, close, port, failure and status texts are the DTMF window's (the frame's).
inline constexpr const BiText &ReadDone = TwoToneText::ReadDone;
inline constexpr const BiText &WriteDone = TwoToneText::WriteDone;
inline constexpr const BiText &ReadComplete = TwoToneText::ReadComplete;
inline constexpr const BiText &WriteComplete = TwoToneText::WriteComplete;
inline constexpr BiText StandardTab{"Standard", "标准"};
inline constexpr BiText EncodeTab{"Encode", "编解码"};
inline constexpr BiText DecodeTab{"Decode", "解码"};
inline constexpr BiText StandardFrame{"5 TONE Standard Frequency", "5 TONE 标准频率"};
inline constexpr BiText StandardName{"Standard Name", "标准名称"};
inline constexpr BiText StandardHeaders{"^Standard|^Period(ms)|^ Group Tone|^ Repeat Tone ",
                                        "^ 5 TONE 标准|^发送时长(ms)|^ 群 呼 码 |^重 复 码 "};
inline constexpr BiText EncodeFrame{"5 Tone Encode", "5 TONE 编码"};
inline constexpr BiText EncodeHeaders{"^ Code |^ Frame 1 |^ Frame 2 |^ Frame 3 |^ Standard ",
                                      "^ 信息码 |^第 1 帧编码|^第 2 帧编码|^第 3 帧编码|^使用标准"};
inline constexpr BiText Delays[3]{{"Delay 1 (MS) ", "发送第1组码前的延迟时间（MS）"},
                                  {"Delay 2 (MS) ", "发送第2组码前的延迟时间（MS）"},
                                  {"Delay 3 (MS) ", "发送第3组码前的延迟时间（MS）"}};
inline constexpr BiText Extension{"First Digit Extend Length (MS)", "各组码第1个音的拓展时长（MS）"};
inline constexpr BiText DecodeFrame{"5 Tone Decode", "5 TONE 解码"};
inline constexpr BiText DecodeHeaders{
    "^Code|^Standard|^Frame1|^          Function       |^Frame2|^     Function    |^Frame3|^    Function   |^Transpond",
    "^信息码|^使用标准|^ 第1帧解码 |^ 功    能 |^ 第2帧解码 |^ 功    能 |^ 第3帧解码 |^ 功    能 |^ 回复码 "};
inline constexpr BiText ResetTime{"Decode Reset Time(ms)", "解码复位时间（MS）"};
inline constexpr BiText CallFrames{"5 TONE Decode Call", "5 TONE 解码呼叫帧"};
inline constexpr BiText DisplayFrames{"5 TONE Decode Disp", "5 TONE 解码显示帧"};
inline constexpr BiText DecodeStandard{"5 TONE Decode Standard ", "5 TONE 解码使用标准"};
inline constexpr BiText FrameChecks[3]{{"1 frame", "第 1 帧"}, {"2 frame", "第 2 帧"}, {"3 frame", "第 3 帧"}};
inline constexpr BiText FunctionRows[3]{{"Frame 1", "帧 1"}, {"Frame 2", "帧 2"}, {"Frame 3", "帧 3"}};
inline constexpr BiText FunctionLabels[4]{{"DISP", "屏幕显示"}, {"LED", "指示灯"}, {"CTRL", "控制输出"}, {"ALERT", "提示音"}};
inline constexpr BiText ReplyAfterAll{"Reply after all frames are decoded", "所有帧成功解码后回复"};
inline constexpr BiText ReplyWhenIdle{"Reply when the channel is idle", "信道空闲时回复"};
inline constexpr BiText ReplyDelay{"Reply Delay (MS)", "回复延迟时间（MS）"};
inline constexpr BiText Option{"Option %1", "选项 %1"};

// "Execute after Code 3 Decode Succeeded " / "3 信息码各组编码成功解码后执行操作"
inline QString functionCaption(int code, bool chinese)
{
    return chinese ? QStringLiteral("%1 信息码各组编码成功解码后执行操作").arg(code)
                   : QStringLiteral("Execute after Code %1 Decode Succeeded ").arg(code);
}

inline constexpr BiText EncodeDigits{"Encode Digit is 5 Bits.", "编码位数为 5 位 ！"};
inline constexpr BiText DecodeDigits{"Decode Digit is 5 Bits.", "解码位数为 5 位 ！"};
inline constexpr BiText DecodeCharacters{"Group Digits only by 0 to 9 and A to F.", "码组字符只能是 0 - 9 或 A - F  ！"};

} // namespace FiveToneText
