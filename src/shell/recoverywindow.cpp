#include "shell/recoverywindow.h"

#include "image/document.h"
#include "editor/editorwindow.h"
#include "platform/messagebox.h"
#include "texts/commontexts.h"
#include "texts/language.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr BiText Caption{"Recover unsaved work", "恢复未保存的编辑"};
constexpr BiText RecoverCaption{"Recover", "恢复"};
constexpr BiText DeleteCaption{"Delete", "删除"};
constexpr BiText CloseCaption{"Close", "关闭"};
constexpr BiText ListName{"Journals", "编辑记录"};
constexpr BiText Summary{"Every step of every run is kept. Choose a run to take its last state back into the document.",
                         "每次运行的每个编辑步骤都已保存。选择一次运行，把它最后的状态恢复到当前数据中。"};
constexpr BiText NothingKept{"No journal of an earlier run is kept.", "没有保存以前运行的编辑记录。"};
constexpr BiText Started{"Started", "开始时间"};
constexpr BiText LastStep{"Last step", "最后一步"};
constexpr BiText Steps{"Steps", "步骤数"};
constexpr BiText LastLabels{"Last steps", "最后的步骤"};
constexpr BiText Origin{"Data from", "数据来源"};
constexpr BiText State{"State", "状态"};
constexpr BiText EndedNormally{"ended normally", "正常结束"};
constexpr BiText NotEnded{"did not end normally", "未正常结束"};
constexpr BiText StillRunning{"still running", "仍在运行"};
constexpr BiText SameAsDocument{"same as the document", "与当前数据相同"};
constexpr BiText Unreadable{"%1 could not be read", "%1无法读取"};
constexpr BiText NoStep{"none", "无"};
constexpr BiText FromRadio{"radio %1", "对讲机 %1"};
constexpr BiText Unknown{"start-up defaults or a file", "启动默认值或文件"};
constexpr BiText RecoverStep{"Recover unsaved work of %1", "恢复未保存的编辑 %1"};
constexpr BiText Recovered{"Recovered the work of the run started %1: %2.", "已恢复 %1 开始的运行的编辑：%2。"};
constexpr BiText Missing{" %1 steps after them could not be read and are missing.", "其后 %1 个步骤无法读取，未能恢复。"};
constexpr BiText MissingOne{" 1 step after them could not be read and is missing.", "其后 1 个步骤无法读取，未能恢复。"};
constexpr BiText AskDelete{"Delete the journal of the run started %1? Its work cannot be recovered afterwards.",
                           "删除 %1 开始的运行的编辑记录吗？删除后将无法再恢复。"};

enum Column { ColStarted, ColLastStep, ColSteps, ColLabels, ColOrigin, ColState, ColumnCount };

QString shownTime(const QDateTime &utc)
{
    return utc.isValid() ? utc.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString();
}

bool sameContents(const Document::Contents &a, const Document::Contents &b)
{
    return a.image == b.image && a.alignment == b.alignment && a.fiveToneDecode == b.fiveToneDecode
        && a.origin == b.origin;
}

} // namespace

RecoveryWindow::RecoveryWindow(const QString &folder, const QString &ownJournal, QWidget *parent)
    : QWidget(parent)
    , m_folder(folder)
    , m_own(ownJournal)
    , m_chinese(Language::isChinese())
{
    setObjectName(QStringLiteral("Form_recover"));
    setWindowTitle(Caption.text(m_chinese));
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("Label_summary"));
    m_summary->setWordWrap(true);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("List_journals"));
    m_list->setAccessibleName(ListName.text(m_chinese));
    m_list->setRootIsDecorated(false);
    m_list->setColumnCount(ColumnCount);
    m_list->setHeaderLabels({Started.text(m_chinese), LastStep.text(m_chinese), Steps.text(m_chinese),
                             LastLabels.text(m_chinese), Origin.text(m_chinese), State.text(m_chinese)});
    m_list->header()->setStretchLastSection(true);
    m_recover = new QPushButton(RecoverCaption.text(m_chinese), this);
    m_recover->setObjectName(QStringLiteral("Command_recover"));
    m_delete = new QPushButton(DeleteCaption.text(m_chinese), this);
    m_delete->setObjectName(QStringLiteral("Command_delete"));
    m_close = new QPushButton(CloseCaption.text(m_chinese), this);
    m_close->setObjectName(QStringLiteral("Command_close"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_recover);
    buttons->addWidget(m_delete);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &RecoveryWindow::selectionChanged);
    connect(m_recover, &QPushButton::clicked, this, &RecoveryWindow::recoverClicked);
    connect(m_delete, &QPushButton::clicked, this, &RecoveryWindow::deleteClicked);
    connect(m_close, &QPushButton::clicked, this, [this] {
        if (QWidget *frame = parentWidget())
            frame->close();
        else
            close();
    });
    refresh();
}

QRect RecoveryWindow::placement(const QSize &mainWindow, const QSize &clientArea)
{
    return EditorWindow::placement(mainWindow, clientArea, 1.6, 1.6);
}

QString RecoveryWindow::stateText(const JournalStore::Run &run, bool sameAsDocument, bool chinese)
{
    if (!run.readable)
        return run.refusal.message(chinese);
    QStringList parts;
    parts << (run.live ? StillRunning : run.endedNormally ? EndedNormally : NotEnded).text(chinese);
    if (run.unreadableSteps > 0)
        parts << Unreadable.text(chinese).arg(JournalStore::stepCount(run.unreadableSteps, chinese));
    if (sameAsDocument)
        parts << SameAsDocument.text(chinese);
    return parts.join(chinese ? QStringLiteral("，") : QStringLiteral(", "));
}

void RecoveryWindow::refresh()
{
    const int previous = currentRun();
    const QString previousPath = previous >= 0 ? m_runs.at(previous).path : QString();
    m_runs = JournalStore::list(m_folder, m_own);
    m_list->clear();
    const Document::Contents &document = Document::instance().contents();
    for (const JournalStore::Run &run : m_runs) {
        auto *item = new QTreeWidgetItem(m_list);
        const bool same = run.readable && sameContents(run.state, document);
        item->setText(ColStarted, shownTime(run.started.isValid() ? run.started : QDateTime()));
        if (run.readable) {
            item->setText(ColLastStep, run.lastStep.isValid() ? shownTime(run.lastStep) : NoStep.text(m_chinese));
            item->setText(ColSteps, QString::number(run.steps));
            QStringList labels;
            for (auto it = run.lastLabels.crbegin(); it != run.lastLabels.crend(); ++it)
                labels << it->text(m_chinese);
            item->setText(ColLabels, labels.join(m_chinese ? QStringLiteral("；") : QStringLiteral("; ")));
            item->setToolTip(ColLabels, labels.join(QLatin1Char('\n')));
            const QString origin = run.origin().trimmed();
            item->setText(ColOrigin, origin.isEmpty() ? Unknown.text(m_chinese) : FromRadio.text(m_chinese).arg(origin));
        }
        item->setText(ColState, stateText(run, same, m_chinese));
        item->setToolTip(ColStarted, QDir::toNativeSeparators(run.path));
        if (same) {
            for (int c = 0; c < ColumnCount; ++c)
                item->setForeground(c, palette().color(QPalette::Disabled, QPalette::Text));
        }
        if (run.path == previousPath)
            m_list->setCurrentItem(item);
    }
    for (int c = 0; c < ColState; ++c)
        m_list->resizeColumnToContents(c);
    m_summary->setText((m_runs.isEmpty() ? NothingKept : Summary).text(m_chinese));
    if (!m_list->currentItem() && m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    selectionChanged();
}

int RecoveryWindow::currentRun() const
{
    QTreeWidgetItem *item = m_list->currentItem();
    return item ? m_list->indexOfTopLevelItem(item) : -1;
}

void RecoveryWindow::selectionChanged()
{
    const int at = currentRun();
    const bool chosen = at >= 0 && at < m_runs.size();
    m_recover->setEnabled(chosen && m_runs.at(at).readable);
    m_delete->setEnabled(chosen && !m_runs.at(at).live);
}

void RecoveryWindow::recoverClicked()
{
    const int at = currentRun();
    if (at < 0 || at >= m_runs.size())
        return;
    // Read again: a run that is still alive may have gone on since the list was made.
    const JournalStore::Run run = JournalStore::read(m_runs.at(at).path);
    if (!run.readable) {
        MessageBox::show(this, CommonText::PromptTitle.text(), run.refusal.message());
        refresh();
        return;
    }
    const QString started = shownTime(run.started);
    Document::instance().apply(StepLabel(RecoverStep.text(false).arg(started), RecoverStep.text(true).arg(started)),
                               [&run](Document::Contents &contents) {
                                   contents = run.state;
                                   return true;
                               });
    const bool chinese = Language::isChinese();
    QString text = Recovered.text(chinese).arg(started, JournalStore::stepCount(run.steps, chinese));
    if (run.unreadableSteps > 0)
        text += run.unreadableSteps == 1 ? MissingOne.text(chinese) : Missing.text(chinese).arg(run.unreadableSteps);
    MessageBox::show(this, CommonText::PromptTitle.text(), text,
                     run.unreadableSteps > 0 ? MessageBox::Icon::Warning : MessageBox::Icon::Information);
    refresh();
}

void RecoveryWindow::deleteClicked()
{
    const int at = currentRun();
    if (at < 0 || at >= m_runs.size())
        return;
    const JournalStore::Run &run = m_runs.at(at);
    if (!MessageBox::ask(this, CommonText::PromptTitle.text(), AskDelete.text().arg(shownTime(run.started))))
        return;
    const FileResult result = JournalStore::remove(run.path);
    if (!result.ok)
        MessageBox::show(this, CommonText::PromptTitle.text(), result.message());
    refresh();
}
