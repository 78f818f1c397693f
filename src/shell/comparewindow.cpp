#include "shell/comparewindow.h"

#include "files/numberstream.h"
#include "image/document.h"
#include "editor/editorwindow.h"
#include "shell/compareview.h"
#include "shell/filemenudialog.h"
#include "shell/mainwindow.h"
#include "shell/plansource.h"
#include "shell/shelltexts.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

namespace {
constexpr BiText Caption{"Compare with file", "与文件比较"};
constexpr BiText ThisDocument{"this document", "本文档"};
constexpr BiText CloseCaption{"Close", "关闭"};
constexpr BiText NotForCompare{"%1: a channel CSV lists only channels; compare with a data file or a configuration text.",
                               "%1：信道 CSV 只列出信道；请与数据文件或配置文本比较。"};
// A whole plan is some tens of kilobytes; this only keeps a wrong pick from filling memory.
constexpr qint64 MaxPlanBytes = 16 * 1024 * 1024;
} // namespace

CompareWindow::CompareWindow(const MemoryImage &document, const MemoryImage &file, const QString &fileName,
                             QWidget *parent)
    : QWidget(parent)
{
    const bool chinese = Language::isChinese();
    setObjectName(QStringLiteral("frm_compare"));
    setWindowTitle(Caption.text(chinese) + QStringLiteral(" - ") + fileName);
    m_view = new CompareView(this);
    m_view->compare(document, file, ThisDocument.text(chinese), fileName);
    auto *closeButton = new QPushButton(CloseCaption.text(chinese), this);
    closeButton->setObjectName(QStringLiteral("Command_close"));
    connect(closeButton, &QPushButton::clicked, this, [this] {
        if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
            frame->close();
        else
            close();
    });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);
}

QRect CompareWindow::placement(const QSize &mainWindow, const QSize &clientArea)
{
    return EditorWindow::placement(mainWindow, clientArea, 1.6, 1.4);
}

namespace CompareActions {

void compareWithFile(QWidget *parent)
{
    const QString path = FileMenuDialog::choose(
        parent, {ShellText::FileCompare, {"Data files and configurations", "数据文件与配置"},
                 QStringLiteral("*.dat *.DAT *.yaml *.yml"), QDir::homePath(), false});
    if (path.isEmpty())
        return;
    QByteArray bytes;
    const FileResult read = readWholeFile(path, MaxPlanBytes, bytes);
    if (!read.ok) {
        FileMenuDialog::tell(parent, read.message());
        return;
    }
    const QString name = QFileInfo(path).fileName();
    auto file = std::make_unique<MemoryImage>();
    const PlanSource::Result source = PlanSource::read(bytes, name, *file);
    if (!source.ok) {
        FileMenuDialog::tell(parent, source.error(Language::isChinese()));
        return;
    }
    if (PlanSource::listsOnlyChannels(source.kind)) {
        FileMenuDialog::tell(parent, NotForCompare.text().arg(name));
        return;
    }
    MainWindow *main = MainWindow::instance();
    if (!main)
        return;
    // Afresh each time: the window shows the file as it was read now.
    const QString objectName = QStringLiteral("frm_compare");
    main->closeChild(objectName);
    const MemoryImage &document = Document::instance().image();
    main->showChild(
        objectName, [&] { return new CompareWindow(document, *file, name); },
        [main](const QSize &client) { return CompareWindow::placement(main->size(), client); });
}

} // namespace CompareActions
