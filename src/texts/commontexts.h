#pragma once

#include "texts/language.h"

// Texts shared by several windows. Window-specific texts live beside their window.
namespace CommonText {

inline constexpr BiText PromptTitle{"Operate prompt", "操作提示"};
// The main window's and a few editors' boxes spell it with a capital P.
inline constexpr BiText PromptTitleCapital{"Operate Prompt", "操作提示"};

inline constexpr BiText Busy{"Read-write operating with transceiver .", "正在与对讲机进行读写操作 ！"};
inline constexpr BiText BusyClose{"Read-write operating，don't close the window. ,", "正在进行读写操作,请勿关窗口 ！,"};
inline constexpr BiText BusyCloseFrame{"Read-write operating，don't close the window.,", "正在进行读写操作,请勿关窗口 ！,"};
inline constexpr BiText BusyClear{"Read-write operating，don't clear operate .,", "正在进行读写操作,请勿进行清除操作 ！,"};

inline constexpr BiText PortErrorMain{"Communication Port Open Error ！", "通讯端口打开错误，请正确设置通讯端口 ！"};
inline constexpr BiText PortErrorTransfer{"Communication port is error, please setting right communication port . ！",
                                          "通讯端口打开错误，请正确设置通讯端口 ！"};

inline constexpr BiText Connecting{"Connecting with transceiver. ", "正在与对讲机联络 ！"};
inline constexpr BiText FailConnect{"Fail connect with transceiver.", "与对讲机联络失败 ！"};
inline constexpr BiText CommunicationFault{"Communication fault.", "与对讲机通讯故障 ！"};
inline constexpr BiText ReadComplete{"Complete reading data from the transceiver.", "从对讲机中读取数据完毕 ！"};
inline constexpr BiText WriteComplete{"Complete writing the data to transceiver.", "向对讲机写入数据完毕 ！"};

// Names of undo steps that several windows make.
inline constexpr BiText ReadStep{"Read from radio", "从对讲机读取数据"};
inline constexpr BiText OpenFileStep{"Open %1", "打开 %1"};

// "Reading 5 Data Block" / "正在读取 5 数据块"
inline QString readingBlock(int k, bool chinese = Language::isChinese())
{
    return chinese ? QStringLiteral("正在读取 %1 数据块").arg(k)
                                 : QStringLiteral("Reading %1 Data Block").arg(k);
}
// "Writing  5  Data Block" / "正在写入  5  数据块"
inline QString writingBlock(int k, bool chinese = Language::isChinese())
{
    return chinese ? QStringLiteral("正在写入  %1  数据块").arg(k)
                                 : QStringLiteral("Writing  %1  Data Block").arg(k);
}

} // namespace CommonText
