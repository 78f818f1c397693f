#include "shell/channelcsvactions.h"

#include "channels/channelcsv.h"
#include "files/atomicwrite.h"
#include "files/numberstream.h"
#include "image/bandlimits.h"
#include "image/document.h"
#include "platform/messagebox.h"
#include "shell/mainwindow.h"
#include "shell/filemenudialog.h"
#include "shell/shelltexts.h"
#include "texts/commontexts.h"

#include <QDir>
#include <QFileInfo>

namespace ChannelCsvActions {

namespace {

// A channel plan is a few kilobytes; this only keeps a wrong pick from filling memory.
constexpr qint64 MaxCsvBytes = 4 * 1024 * 1024;

constexpr BiText Exported{"Exported %1 channels to %2.", "已将 %1 个信道导出到 %2。"};

QString choosePath(QWidget *parent, bool save)
{
    return FileMenuDialog::choose(parent, {save ? ShellText::FileExportCsv : ShellText::FileImportCsv,
                                           {"CSV", "CSV"},
                                           QStringLiteral("*.csv"),
                                           save ? QDir::home().filePath(QStringLiteral("channels.csv")) : QDir::homePath(),
                                           save});
}

using FileMenuDialog::tell;

} // namespace

void importChannels(QWidget *parent)
{
    const QString path = choosePath(parent, false);
    if (path.isEmpty())
        return;
    importChannelsFrom(parent, path);
}

bool importChannelsFrom(QWidget *parent, const QString &path)
{
    QByteArray bytes;
    const FileResult read = readWholeFile(path, MaxCsvBytes, bytes);
    if (!read.ok) {
        tell(parent, read.message());
        return false;
    }
    // One undo step, all or nothing; an open channel grid follows the document.
    const QString name = QFileInfo(path).fileName();
    ChannelCsv::ImportResult result;
    Document::instance().applyToImage(StepLabel(QStringLiteral("Import %1").arg(name), QStringLiteral("导入 %1").arg(name)),
                                      [&](MemoryImage &image) {
                                          result = ChannelCsv::importInto(bytes, image, BandLimits::current());
                                          return result.ok;
                                      });
    if (!result.ok) {
        tell(parent, result.errorMessage(Language::isChinese()));
        return false;
    }
    tell(parent, result.doneMessage(Language::isChinese()),
         result.notices.isEmpty() ? MessageBox::Icon::Information : MessageBox::Icon::Warning);
    return true;
}

void exportChannels(QWidget *parent)
{
    const QString path = choosePath(parent, true);
    if (path.isEmpty())
        return;
    const QByteArray csv = ChannelCsv::write(Document::instance().image(), BandLimits::current());
    const FileResult saved = writeFileReplacing(path, csv);
    if (!saved.ok) {
        tell(parent, saved.message());
        return;
    }
    // The header line is no channel.
    const int channels = int(csv.count('\n')) - 1;
    tell(parent, Exported.text().arg(channels).arg(QDir::toNativeSeparators(path)), MessageBox::Icon::Information);
}

} // namespace ChannelCsvActions
