#include "shell/historywindow.h"

#include "image/document.h"
#include "image/memoryimage.h"
#include "editor/editorwindow.h"
#include "platform/messagebox.h"
#include "shell/backupactions.h"
#include "shell/compareview.h"
#include "texts/commontexts.h"
#include "texts/language.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr BiText Caption{"Radio history", "对讲机历史"};
constexpr BiText Summary{"What each radio was confirmed to hold, newest first. Compare a snapshot with the document, or restore it as one step that Undo takes back.",
                         "每台对讲机经确认的内容，最新的在前。可将快照与当前数据比较，或将其恢复（恢复为一个步骤，可撤销）。"};
constexpr BiText NothingKept{"No radio has been read or written yet: the history is empty. \"Other file...\" opens any data file.",
                             "尚未读取或写入任何对讲机，历史为空。“其他文件...”可打开任一数据文件。"};
constexpr BiText ListName{"Snapshots", "快照"};
constexpr BiText Taken{"Taken", "时间"};
constexpr BiText KindColumn{"Kind", "类型"};
constexpr BiText ModelColumn{"Model", "型号"};
constexpr BiText RadioRow{"Radio %1 (%2)", "对讲机 %1（%2）"};
constexpr BiText ThisDocument{"this document", "本文档"};
constexpr BiText SnapshotName{"radio %1 (%2, %3)", "对讲机 %1（%2，%3）"};
constexpr BiText CompareHint{"Choose a snapshot and press Compare to list how it differs from the document.",
                             "选择一个快照并按“比较”，即可列出它与当前数据的差异。"};
constexpr BiText CompareCaption{"Compare", "比较"};
constexpr BiText RestoreCaption{"Restore", "恢复"};
constexpr BiText OtherCaption{"Other file...", "其他文件..."};
constexpr BiText CloseCaption{"Close", "关闭"};

enum Column { ColTaken, ColKind, ColModel, ColumnCount };
constexpr int SnapshotRole = Qt::UserRole + 1;

QString shownTime(const QDateTime &utc)
{
    return utc.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace

HistoryWindow::HistoryWindow(QWidget *parent)
    : QWidget(parent)
    , m_chinese(Language::isChinese())
{
    setObjectName(QStringLiteral("Form_history"));
    setWindowTitle(Caption.text(m_chinese));
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("Label_summary"));
    m_summary->setWordWrap(true);
    m_failure = new QLabel(this);
    m_failure->setObjectName(QStringLiteral("Label_failure"));
    m_failure->setWordWrap(true);
    m_failure->setStyleSheet(QStringLiteral("color: #b00000;"));
    m_failure->hide();
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("List_snapshots"));
    m_list->setAccessibleName(ListName.text(m_chinese));
    m_list->setColumnCount(ColumnCount);
    m_list->setHeaderLabels({Taken.text(m_chinese), KindColumn.text(m_chinese), ModelColumn.text(m_chinese)});
    m_list->header()->setStretchLastSection(true);
    m_view = new CompareView(this);
    m_view->showNotice(CompareHint.text(m_chinese));
    auto *split = new QSplitter(Qt::Vertical, this);
    split->setChildrenCollapsible(false);
    split->addWidget(m_list);
    split->addWidget(m_view);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);

    m_compare = new QPushButton(CompareCaption.text(m_chinese), this);
    m_compare->setObjectName(QStringLiteral("Command_compare"));
    m_restore = new QPushButton(RestoreCaption.text(m_chinese), this);
    m_restore->setObjectName(QStringLiteral("Command_restore"));
    m_other = new QPushButton(OtherCaption.text(m_chinese), this);
    m_other->setObjectName(QStringLiteral("Command_other"));
    m_close = new QPushButton(CloseCaption.text(m_chinese), this);
    m_close->setObjectName(QStringLiteral("Command_close"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_other);
    buttons->addStretch(1);
    buttons->addWidget(m_compare);
    buttons->addWidget(m_restore);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_failure);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);

    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &HistoryWindow::selectionChanged);
    connect(m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        if (snapshotAt(item).isValid())
            compareClicked();
    });
    connect(m_compare, &QPushButton::clicked, this, &HistoryWindow::compareClicked);
    connect(m_restore, &QPushButton::clicked, this, &HistoryWindow::restoreClicked);
    connect(m_other, &QPushButton::clicked, this, [this] {
        if (BackupActions::restoreFromFile(this))
            refresh();
    });
    connect(m_close, &QPushButton::clicked, this, [this] {
        if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
            frame->close();
        else
            close();
    });
    RadioHistory::Notifier &history = RadioHistory::notifier();
    connect(&history, &RadioHistory::Notifier::snapshotKept, this, &HistoryWindow::refresh);
    connect(&history, &RadioHistory::Notifier::failed, this, &HistoryWindow::showFailure);
    // The comparison follows the document, a restore included, as the snapshot stays put.
    connect(&Document::instance(), &Document::changed, this, [this] {
        if (!m_comparedName.isEmpty())
            m_view->compare(Document::instance().image(), m_compared, ThisDocument.text(m_chinese), m_comparedName);
    });
    refresh();
}

QRect HistoryWindow::placement(const QSize &mainWindow, const QSize &clientArea)
{
    return EditorWindow::placement(mainWindow, clientArea, 1.6, 1.2);
}

void HistoryWindow::showFailure(const QString &english, const QString &chinese)
{
    const QString text = m_chinese ? chinese : english;
    m_failure->setText(text);
    m_failure->setVisible(!text.isEmpty());
}

RadioHistory::Snapshot HistoryWindow::snapshotAt(const QTreeWidgetItem *item) const
{
    const int at = item ? item->data(ColTaken, SnapshotRole).toInt() - 1 : -1;
    return at >= 0 && at < m_snapshots.size() ? m_snapshots.at(at) : RadioHistory::Snapshot{};
}

RadioHistory::Snapshot HistoryWindow::current() const
{
    return snapshotAt(m_list->currentItem());
}

void HistoryWindow::refresh()
{
    const QString chosen = current().path;
    m_list->clear();
    m_snapshots.clear();
    QTreeWidgetItem *again = nullptr;
    for (const QString &radio : RadioHistory::radios()) {
        const QVector<RadioHistory::Snapshot> all = RadioHistory::snapshots(radio);
        auto *radioItem = new QTreeWidgetItem(m_list, {RadioRow.text(m_chinese).arg(radio).arg(all.size())});
        radioItem->setFirstColumnSpanned(true);
        for (const RadioHistory::Snapshot &s : all) {
            m_snapshots.append(s);
            auto *item = new QTreeWidgetItem(radioItem, {shownTime(s.taken), RadioHistory::kindName(s.kind, m_chinese), s.model});
            item->setData(ColTaken, SnapshotRole, m_snapshots.size());
            item->setToolTip(ColTaken, QDir::toNativeSeparators(s.path));
            if (s.path == chosen)
                again = item;
        }
        radioItem->setExpanded(true);
    }
    for (int c = 0; c < ColModel; ++c)
        m_list->resizeColumnToContents(c);
    m_summary->setText((m_snapshots.isEmpty() ? NothingKept : Summary).text(m_chinese));
    showFailure(RadioHistory::lastFailure(false), RadioHistory::lastFailure(true));
    if (!again && m_list->topLevelItemCount() > 0)
        again = m_list->topLevelItem(0)->child(0);
    m_list->setCurrentItem(again);
    selectionChanged();
}

void HistoryWindow::selectionChanged()
{
    const bool chosen = current().isValid();
    m_compare->setEnabled(chosen);
    m_restore->setEnabled(chosen);
}

void HistoryWindow::compareClicked()
{
    const RadioHistory::Snapshot snapshot = current();
    if (!snapshot.isValid())
        return;
    MemoryImage held;
    const FileResult loaded = RadioHistory::load(snapshot, held);
    if (!loaded.ok) {
        MessageBox::show(this, CommonText::PromptTitle.text(), loaded.message());
        return;
    }
    const QString name = SnapshotName.text(m_chinese)
                             .arg(snapshot.radio, RadioHistory::kindName(snapshot.kind, m_chinese), shownTime(snapshot.taken));
    m_compared = held;
    m_comparedName = name;
    m_view->compare(Document::instance().image(), m_compared, ThisDocument.text(m_chinese), m_comparedName);
}

void HistoryWindow::restoreClicked()
{
    const RadioHistory::Snapshot snapshot = current();
    if (!snapshot.isValid())
        return;
    BackupActions::restore(this, snapshot.path);
}
