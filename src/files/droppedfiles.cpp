#include "files/droppedfiles.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace DroppedFiles {

Kind kindOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("dat"))
        return Kind::DataFile;
    if (suffix == QLatin1String("yaml") || suffix == QLatin1String("yml"))
        return Kind::ConfigText;
    if (suffix == QLatin1String("csv"))
        return Kind::ChannelCsv;
    if (suffix == QLatin1String("adj"))
        return Kind::AdjustFile;
    return Kind::Other;
}

QStringList files(const QMimeData *data)
{
    QStringList out;
    if (!data || !data->hasUrls())
        return out;
    for (const QUrl &url : data->urls())
        out << (url.isLocalFile() ? url.toLocalFile() : QString());
    return out;
}

} // namespace DroppedFiles
