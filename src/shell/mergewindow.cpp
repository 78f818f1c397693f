#include "shell/mergewindow.h"

#include "files/numberstream.h"
#include "image/memoryimage.h"
#include "editor/editorwindow.h"
#include "platform/messagebox.h"
#include "shell/filemenudialog.h"
#include "shell/mainwindow.h"
#include "shell/mergepanel.h"
#include "shell/plansource.h"
#include "shell/repeaterwindow.h"
#include "shell/shelltexts.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

namespace {
constexpr BiText Caption{"Merge channels from file", "从文件合并信道"};
constexpr BiText Source{"%1 channels in %2.", "%2 中有 %1 个信道。"};
constexpr BiText CloseCaption{"Close", "关闭"};
constexpr BiText Step{"Merge channels from %1", "从 %1 合并信道"};
// A plan or a list is a few hundred kilobytes at most; this keeps a wrong pick from filling memory.
constexpr qint64 MaxPlanBytes = 16 * 1024 * 1024;
constexpr int ReportLinesShown = 12;
} // namespace

MergeWindow::MergeWindow(const QVector<ChannelMerge::Row> &rows, const QString &fileName, QWidget *parent)
    : QWidget(parent)
{
    const bool chinese = Language::isChinese();
    setObjectName(QStringLiteral("frm_merge"));
    setWindowTitle(Caption.text(chinese) + QStringLiteral(" - ") + fileName);
    auto *source = new QLabel(Source.text(chinese).arg(rows.size()).arg(fileName), this);
    source->setObjectName(QStringLiteral("Label_source"));
    m_panel = new MergePanel(StepLabel(Step.text(false).arg(fileName), Step.text(true).arg(fileName)), this);
    m_panel->setRows(rows, false);
    auto *closeButton = new QPushButton(CloseCaption.text(chinese), this);
    closeButton->setObjectName(QStringLiteral("Command_close"));
    connect(closeButton, &QPushButton::clicked, this, [this] { MergeActions::closeHost(this); });
    connect(m_panel, &MergePanel::merged, this, [this](const QStringList &report) {
        MergeActions::tellMerged(this, report);
        MergeActions::closeHost(this);
    });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(source);
    layout->addWidget(m_panel, 1);
    layout->addLayout(buttons);
}

QRect MergeWindow::placement(const QSize &mainWindow, const QSize &clientArea)
{
    return EditorWindow::placement(mainWindow, clientArea, 1.15, 1.25);
}

namespace MergeActions {

void closeHost(QWidget *w)
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(w->parentWidget()))
        frame->close();
    else
        w->close();
}

void tellMerged(QWidget *parent, const QStringList &report)
{
    QStringList shown = report.mid(0, ReportLinesShown);
    if (report.size() > ReportLinesShown)
        shown << (Language::isChinese() ? QStringLiteral("……另有 %1 行").arg(report.size() - ReportLinesShown)
                                        : QStringLiteral("... and %1 more").arg(report.size() - ReportLinesShown));
    FileMenuDialog::tell(parent, shown.join(QLatin1Char('\n')), MessageBox::Icon::Information);
}

namespace {

bool readChosen(QWidget *parent, const FileMenuDialog::Ask &ask, QString &path, QByteArray &bytes)
{
    path = FileMenuDialog::choose(parent, ask);
    if (path.isEmpty())
        return false;
    const FileResult read = readWholeFile(path, MaxPlanBytes, bytes);
    if (!read.ok) {
        FileMenuDialog::tell(parent, read.message());
        return false;
    }
    return true;
}

template <typename Make, typename Place>
void host(const QString &objectName, Make make, Place place)
{
    MainWindow *main = MainWindow::instance();
    if (!main)
        return;
    // Afresh each time: the window shows the file as it was read now.
    main->closeChild(objectName);
    main->showChild(objectName, make, [main, place](const QSize &client) { return place(main->size(), client); });
}

} // namespace

void mergeFromFile(QWidget *parent)
{
    QString path;
    QByteArray bytes;
    if (!readChosen(parent,
                    {ShellText::FileMerge, {"Data files, channel CSV and configurations", "数据文件、信道 CSV 与配置"},
                     QStringLiteral("*.dat *.DAT *.csv *.yaml *.yml"), QDir::homePath(), false},
                    path, bytes))
        return;
    const QString name = QFileInfo(path).fileName();
    auto plan = std::make_unique<MemoryImage>();
    const PlanSource::Result source = PlanSource::read(bytes, name, *plan);
    if (!source.ok) {
        FileMenuDialog::tell(parent, source.error(Language::isChinese()));
        return;
    }
    const QVector<ChannelMerge::Row> rows = ChannelMerge::rowsOf(*plan);
    host(QStringLiteral("frm_merge"), [&] { return new MergeWindow(rows, name); }, &MergeWindow::placement);
}

void importRepeaters(QWidget *parent)
{
    QString path;
    QByteArray bytes;
    if (!readChosen(parent, {ShellText::FileImportRepeaters, {"CSV", "CSV"}, QStringLiteral("*.csv *.txt"), QDir::homePath(), false},
                    path, bytes))
        return;
    const QString name = QFileInfo(path).fileName();
    const QString text = QString::fromUtf8(bytes);
    host(QStringLiteral("frm_repeaters"), [&] { return new RepeaterWindow(text, name); }, &RepeaterWindow::placement);
}

} // namespace MergeActions
