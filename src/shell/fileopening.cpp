#include "shell/fileopening.h"

#include "files/droppedfiles.h"
#include "files/filewindow.h"
#include "platform/messagebox.h"
#include "shell/channelcsvactions.h"
#include "shell/configactions.h"
#include "shell/recentfiles.h"
#include "texts/commontexts.h"

#include <QFileInfo>

namespace FileOpening {

namespace {

void tell(QWidget *parent, const QString &text)
{
    MessageBox::show(parent, CommonText::PromptTitle.text(), text, MessageBox::Icon::Warning);
}

QString shownName(const QString &path)
{
    return path.isEmpty() ? QStringLiteral("?") : QFileInfo(path).fileName();
}

} // namespace

bool open(QWidget *parent, const QString &path)
{
    using DroppedFiles::Kind;
    switch (DroppedFiles::kindOf(path)) {
    case Kind::DataFile:
        if (!FileWindow::loadDataFile(parent, path))
            return false;
        RecentFiles::add(path);
        return true;
    case Kind::ConfigText:
        return ConfigActions::importConfigurationFrom(parent, path);
    case Kind::ChannelCsv:
        return ChannelCsvActions::importChannelsFrom(parent, path);
    case Kind::AdjustFile:
        tell(parent, DroppedFiles::AdjustElsewhere.text().arg(shownName(path)));
        return false;
    case Kind::Other:
        break;
    }
    tell(parent, DroppedFiles::OtherKind.text().arg(shownName(path)));
    return false;
}

bool takes(const QStringList &files)
{
    if (files.size() != 1 || files.first().isEmpty())
        return false;
    const DroppedFiles::Kind kind = DroppedFiles::kindOf(files.first());
    return kind == DroppedFiles::Kind::DataFile || kind == DroppedFiles::Kind::ConfigText
        || kind == DroppedFiles::Kind::ChannelCsv;
}

bool openDropped(QWidget *parent, const QStringList &files)
{
    if (files.isEmpty())
        return false;
    if (files.size() > 1) {
        tell(parent, DroppedFiles::SeveralFiles.text());
        return false;
    }
    if (files.first().isEmpty()) {
        tell(parent, DroppedFiles::OtherKind.text().arg(shownName(QString())));
        return false;
    }
    return open(parent, files.first());
}

} // namespace FileOpening
