#include "shell/configactions.h"

#include "config/configtext.h"
#include "files/atomicwrite.h"
#include "files/numberstream.h"
#include "image/bandlimits.h"
#include "image/document.h"
#include "platform/messagebox.h"
#include "shell/filemenudialog.h"
#include "shell/recentfiles.h"
#include "shell/shelltexts.h"
#include "texts/commontexts.h"

#include <QDir>
#include <QFileInfo>

namespace ConfigActions {

namespace {

// A whole plan is some tens of kilobytes; this only keeps a wrong pick from filling memory.
constexpr qint64 MaxConfigBytes = 16 * 1024 * 1024;

constexpr BiText Exported{"Exported the configuration to %1.", "配置已导出到 %1。"};
constexpr BiText Imported{"Imported the configuration from %1.", "已从 %1 导入配置。"};
constexpr BiText Refused{"Nothing was imported: the file has %1 errors.", "未导入任何设置：文件中有 %1 处错误。"};

QString choosePath(QWidget *parent, bool save)
{
    return FileMenuDialog::choose(parent, {save ? ShellText::FileExportConfig : ShellText::FileImportConfig,
                                           {"YAML", "YAML"},
                                           QStringLiteral("*.yaml *.yml"),
                                           save ? QDir::home().filePath(QStringLiteral("radio.yaml")) : QDir::homePath(),
                                           save});
}

using FileMenuDialog::tell;

} // namespace

void exportConfiguration(QWidget *parent)
{
    const QString path = choosePath(parent, true);
    if (path.isEmpty())
        return;
    const FileResult saved = writeFileReplacing(path, ConfigText::exportImage(Document::instance().image()));
    if (!saved.ok) {
        tell(parent, saved.message());
        return;
    }
    RecentFiles::add(path);
    tell(parent, Exported.text().arg(QDir::toNativeSeparators(path)), MessageBox::Icon::Information);
}

void importConfiguration(QWidget *parent)
{
    const QString path = choosePath(parent, false);
    if (path.isEmpty())
        return;
    importConfigurationFrom(parent, path);
}

bool importConfigurationFrom(QWidget *parent, const QString &path)
{
    QByteArray bytes;
    const FileResult read = readWholeFile(path, MaxConfigBytes, bytes);
    if (!read.ok) {
        tell(parent, read.message());
        return false;
    }
    const QString name = QFileInfo(path).fileName();
    ConfigText::ImportResult result;
    Document::instance().applyToImage(
        StepLabel(QStringLiteral("Import %1").arg(name), QStringLiteral("导入 %1").arg(name)), [&](MemoryImage &image) {
            result = ConfigText::importInto(bytes, image, BandLimits::current(), name);
            return result.ok;
        });
    if (!result.ok) {
        // The lines name the file, the line and the key as the command line does.
        tell(parent, Refused.text().arg(result.errors.size()) + QLatin1Char('\n') + result.errorMessage());
        return false;
    }
    RecentFiles::add(path);
    tell(parent, Imported.text().arg(QDir::toNativeSeparators(path)), MessageBox::Icon::Information);
    return true;
}

} // namespace ConfigActions
