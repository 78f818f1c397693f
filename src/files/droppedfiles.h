#pragma once

#include "texts/language.h"

#include <QString>
#include <QStringList>

class QMimeData;

// The files the program opens from outside its own dialogs (the command line, a drop,
// the recent files), told apart by their extension in any case.
namespace DroppedFiles {

enum class Kind { DataFile, ConfigText, ChannelCsv, AdjustFile, Other };

Kind kindOf(const QString &path);

// The local files a drag carries; a URL that is no local file counts as one of another
// kind (an empty path), so that it is refused rather than overlooked.
QStringList files(const QMimeData *data);

inline constexpr BiText SeveralFiles{"Drop one file at a time. Nothing was opened.",
                                     "请一次只拖入一个文件。没有打开任何文件。"};
// %1: the file's name.
inline constexpr BiText OtherKind{
    "%1 is not a file this program opens. It opens data files (.dat), configuration texts (.yaml, .yml) and "
    "channel lists (.csv); the Adjust window opens alignment files (.adj). Nothing was opened.",
    "%1 不是本程序能打开的文件。本程序可打开数据文件 (.dat)、配置文本 (.yaml, .yml) 和信道表 (.csv)；"
    "调整参数窗口可打开调整参数文件 (.adj)。没有打开任何文件。"};
inline constexpr BiText AdjustElsewhere{
    "%1 is an alignment file: open it in the Adjust window (drop it there or use its Open). Nothing was opened.",
    "%1 是调整参数文件：请在调整参数窗口中打开（拖到该窗口上，或用其“打开”按钮）。没有打开任何文件。"};

} // namespace DroppedFiles
