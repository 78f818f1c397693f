#include "shell/appicon.h"

#include <QDir>

// The resource lives in a static library; nothing would pull its object file into a
// program unless something names it.
static void initAppIconResource()
{
    Q_INIT_RESOURCE(appicon);
}

namespace Icons {

QIcon applicationIcon()
{
    initAppIconResource();
    QIcon icon;
    const QDir folder(QStringLiteral(":/appicon"));
    for (const QString &name : folder.entryList(QDir::Files))
        icon.addFile(folder.filePath(name));
    return icon;
}

} // namespace Icons
