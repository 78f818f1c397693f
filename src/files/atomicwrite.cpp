#include "files/atomicwrite.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

FileResult writeFileReplacing(const QString &path, const QByteArray &bytes)
{
    const QString native = QDir::toNativeSeparators(path);
    auto failure = [&](const QString &reason, const QString &reasonZh) {
        return FileResult::failure(QStringLiteral("Cannot save \"%1\": %2").arg(native, reason),
                                   QStringLiteral("无法保存文件“%1”：%2").arg(native, reasonZh));
    };
    if (QFileInfo(path).isDir())
        return failure(QStringLiteral("it is a folder"), QStringLiteral("这是一个文件夹"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(file.errorString(), chineseFileReason(file));
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        const QString reasonZh = chineseFileReason(file);
        file.cancelWriting();
        return failure(reason, reasonZh);
    }
    if (!file.commit())
        return failure(file.errorString(), chineseFileReason(file));
    return FileResult::success();
}
