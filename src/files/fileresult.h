#pragma once

#include "texts/language.h"

#include <QFile>
#include <QFileDevice>
#include <QString>

// What a file operation reports back to its window. The model never shows anything;
// the window shows `message()` in the language of the moment.
struct FileResult
{
    bool ok = true;
    QString messageEn;
    QString messageZh;

    QString message(bool chinese) const { return chinese ? messageZh : messageEn; }
    QString message() const { return message(Language::isChinese()); }

    static FileResult success() { return FileResult{}; }
    static FileResult failure(const QString &en, const QString &zh) { return FileResult{false, en, zh}; }
};

// The system's reason for a failed file operation comes in English only; the common ones
// get a Chinese text of their own, the rest keep the system's words.
inline QString chineseFileReason(const QFileDevice &file)
{
    switch (file.error()) {
    case QFileDevice::PermissionsError:
        return QStringLiteral("没有访问权限");
    case QFileDevice::ResourceError:
        return QStringLiteral("磁盘空间或系统资源不足");
    case QFileDevice::OpenError:
        return QFile::exists(file.fileName()) ? QStringLiteral("文件无法打开") : QStringLiteral("文件不存在");
    case QFileDevice::ReadError:
        return QStringLiteral("读取出错");
    case QFileDevice::WriteError:
        return QStringLiteral("写入出错");
    default:
        return file.errorString();
    }
}
