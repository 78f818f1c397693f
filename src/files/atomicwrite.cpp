#include "files/atomicwrite.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

FileResult writeFileReplacing(const QString &path, const QByteArray &bytes)
{
    const QString native = QDir::toNativeSeparators(path);
    auto failure = [&](const QString &reason) {
        return FileResult::failure(QStringLiteral("Cannot save \"%1\": %2").arg(native, reason),
                                   QStringLiteral("无法保存文件“%1”：%2").arg(native, reason));
    };
    if (QFileInfo(path).isDir())
        return failure(QStringLiteral("it is a folder"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(reason);
    }
    if (!file.commit())
        return failure(file.errorString());
    return FileResult::success();
}
