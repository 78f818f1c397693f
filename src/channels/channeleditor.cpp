#include "channels/channeleditor.h"

#include "channels/channelclipboard.h"
#include "channels/channelcolumns.h"
#include "channels/channelgridmodel.h"
#include "channels/channelgridview.h"
#include "channels/channelprint.h"
#include "channels/channelrecord.h"
#include "channels/channeltexts.h"
#include "image/areamap.h"
#include "image/memoryimage.h"
#include "editor/griddelegate.h"
#include "link/linknotices.h"
#include "platform/messagebox.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The read asks for a record block and a name block at each step.
constexpr int ReadSteps = Area::ChannelCount * MemoryImage::Columns / Area::BlockBytes + 1; // 51

EditorWindow::Setup channelSetup()
{
    EditorWindow::Setup s(ChannelText::Caption, {ChannelText::ReadDone, ChannelText::WriteDone},
                          ChannelEditor::WidthDivisor, ChannelEditor::HeightDivisor);
    s.texts.fault = ChannelText::Fault;
    return s;
}

} // namespace

ChannelEditor::ChannelEditor(QWidget *parent)
    : EditorWindow(channelSetup(), parent)
{
    m_model = new ChannelGridModel(Document::instance(), m_chinese, this);
    makeGrid("MSF_Chann", ChannelText::Caption, m_model,
             QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked
                 | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed,
             m_grid = new ChannelGridView(this));
    m_grid->setAlternatingRowColors(true);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->viewport()->installEventFilter(this);
    m_grid->installEventFilter(this);

    for (int c = 0; c < ChannelColumn::Count; ++c)
        m_grid->setColumnWidth(c, ChannelColumn::at(c).width);
    connect(static_cast<GridDelegate *>(m_grid->itemDelegate()), &GridDelegate::enterPressed, this,
            &ChannelEditor::moveAfterEnter, Qt::QueuedConnection);
    showRefusals(m_model);
    connect(m_model, &ChannelGridModel::refusedWith, this, &ChannelEditor::showRefusalText);
    // A value committed with several rows selected goes to all of them.
    m_model->setEditTargets([this]() -> std::optional<QVector<int>> {
        const QVector<int> channels = m_grid->editTargets();
        if (channels.size() > 1 && isBusy()) {
            // After the commit under way: a message box runs an event loop of its own.
            QMetaObject::invokeMethod(this, [this] { refuseWhenBusy(&CommonText::Busy); }, Qt::QueuedConnection);
            return std::nullopt;
        }
        return channels;
    });
    // Enter or F2 on a cell without an open editor starts editing it.
    connect(m_grid, &QAbstractItemView::activated, this, [this](const QModelIndex &index) {
        if (m_model->canEdit(index.row(), index.column()))
            m_grid->edit(index);
    });
    connect(m_grid, &QWidget::customContextMenuRequested, this, &ChannelEditor::showContextMenu);

    // Every button but Default waits for a running transfer: a write sends the rows as
    // they were when it started, and a read replaces the channels when it ends.
    QHBoxLayout *buttons = makeButtonRow({
        {Action::Read, "Command_read", ChannelText::Read, &CommonText::Busy},
        {Action::Write, "Command_write", ChannelText::Write, &CommonText::Busy},
        {Action::Clear, "Command_Clear", ChannelText::Clear, &CommonText::BusyClear},
        {Action::Default, "Command_def", ChannelText::Default, nullptr},
        {Action::Save, "Command_save", ChannelText::Save, &CommonText::Busy},
        {Action::Open, "Command_open", ChannelText::Open, &CommonText::Busy},
        {Action::Close, "Command_close", ChannelText::Close, &CommonText::BusyClose},
    });

    makeActions();
    makeFindBar();

    m_layout = new QVBoxLayout(this);
    m_layout->addWidget(m_grid, 1);
    m_layout->addWidget(m_findBar);
    m_layout->addLayout(buttons);

    m_model->displayAll();
    m_grid->setCurrentIndex(m_model->index(0, ChannelGridModel::Number));
}

void ChannelEditor::resizeEvent(QResizeEvent *event)
{
    // The grid takes the inner width / 1.02, centred.
    const int side = std::max(4, int(width() * (1.0 - 1.0 / 1.02) / 2));
    m_layout->setContentsMargins(side, 6, side, 6);
    EditorWindow::resizeEvent(event);
}

bool ChannelEditor::eventFilter(QObject *watched, QEvent *event)
{
    // The grid's own area has its new size only after the window's layout has run, so the
    // columns follow the grid's area and not the window.
    if (watched == m_grid->viewport() && event->type() == QEvent::Resize)
        fitColumns();
    // Escape in the find box goes back to the grid.
    if (watched == m_findText && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        m_findBar->hide();
        m_grid->setFocus();
        return true;
    }
    return EditorWindow::eventFilter(watched, event);
}

void ChannelEditor::fitColumns()
{
    // The columns share out whatever width the grid has beyond their own, so the grid
    // ends at its last column instead of an empty strip. Short of width they give up to a
    // tenth of their own before the grid scrolls sideways: enough to keep the name column
    // in sight where the window opens on a 1366-pixel screen, not so much that captions
    // are cut.
    constexpr double MostShrink = 0.9;
    int natural = 0;
    for (int c = 0; c < ChannelColumn::Count; ++c)
        natural += ChannelColumn::at(c).width;
    const int available = m_grid->viewport()->width();
    const double factor = std::max(MostShrink, double(available) / natural);
    // Never narrower than the column's caption.
    const QHeaderView *header = m_grid->horizontalHeader();
    int used = 0;
    for (int c = 0; c < ChannelGridModel::ColumnCount; ++c) {
        const int caption = header->sectionSizeHint(c);
        const int width = ChannelColumn::at(c).width;
        const int w = c + 1 < ChannelGridModel::ColumnCount
            ? std::max(caption, int(width * factor))
            : std::max({caption, int(width * MostShrink), available - used});
        m_grid->setColumnWidth(c, w);
        used += w;
    }
}

void ChannelEditor::redisplay()
{
    m_model->displayAll();
}

void ChannelEditor::moveAfterEnter(const QModelIndex &from)
{
    const QModelIndex to = m_model->indexAfterEnter(from);
    if (!to.isValid())
        return;
    m_grid->setCurrentIndex(to);
    m_grid->scrollTo(to);
    if (m_model->canEdit(to.row(), to.column()))
        m_grid->edit(to);
}

void ChannelEditor::leaveEditedCell()
{
    const int row = std::max(0, m_grid->currentIndex().row());
    m_grid->selectionModel()->setCurrentIndex(m_model->index(row, ChannelGridModel::Number), QItemSelectionModel::NoUpdate);
}

void ChannelEditor::showRefusalText(const BiText &title, const QString &english, const QString &chinese)
{
    Document::instance().whenSettled(
        [this, title, english, chinese] { MessageBox::show(this, title.text(), Language::isChinese() ? chinese : english); });
}

QTableView *ChannelEditor::grid() const
{
    return m_grid;
}

QString ChannelEditor::writeRefusal() const
{
    const int failing = channelBandCheck(document().image());
    return failing == ChannelRecord::NoFailingChannel ? QString()
                                                       : ChannelText::bandCheckFailed(failing, Language::isChinese());
}

void ChannelEditor::clearArea(Document::Contents &contents)
{
    leaveEditedCell();
    ChannelGridModel::clearAll(contents.image);
}

void ChannelEditor::loadDefaults(Document::Contents &contents)
{
    leaveEditedCell();
    ChannelGridModel::loadDefaults(contents.image);
}

void ChannelEditor::afterRead()
{
    m_model->displayAll();
    m_model->displayRadioNames();
}

void ChannelEditor::showTransferProgress(int done, int)
{
    // Blocks and frames alternate record, name; a record goes out after an even count.
    if (done % 2 != 0)
        return;
    if (m_engine.isReading()) {
        const int k = done / 2 + 1;
        setStatus(CommonText::readingBlock(k, m_chinese));
        setProgress(k * 100 / (ReadSteps + 1));
    } else if (m_engine.isWriting()) {
        const int n = done / 2;
        setStatus(ChannelText::writingChannel(n, m_chinese));
        setProgress(n * 100 / Area::ChannelCount);
    }
}

// ---- Editing many channels --------------------------------------------------------------

QAction *ChannelEditor::makeAction(const char *objectName, const BiText &text, const QKeySequence &key,
                                   void (ChannelEditor::*slot)())
{
    auto *action = new QAction(text.text(m_chinese), this);
    action->setObjectName(QString::fromLatin1(objectName));
    if (!key.isEmpty()) {
        action->setShortcut(key);
        // The keys belong to this window; in a text box Ctrl+C, Del and the like stay the box's.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void ChannelEditor::makeActions()
{
    auto separator = [this] {
        auto *s = new QAction(this);
        s->setSeparator(true);
        return s;
    };
    QAction *cut = makeAction("Edit_cut", ChannelText::Cut, QKeySequence::Cut, &ChannelEditor::cutChannels);
    QAction *copy = makeAction("Edit_copy", ChannelText::Copy, QKeySequence::Copy, &ChannelEditor::copyChannels);
    QAction *paste = makeAction("Edit_paste", ChannelText::Paste, QKeySequence::Paste, &ChannelEditor::pasteChannels);
    QAction *del = makeAction("Edit_delete", ChannelText::Delete, QKeySequence(Qt::Key_Delete), &ChannelEditor::deleteChannels);
    QAction *all = makeAction("Edit_select_all", ChannelText::SelectAll, QKeySequence::SelectAll,
                              &ChannelEditor::selectAllChannels);
    QAction *insert = makeAction("Edit_insert_channel", ChannelText::InsertEmpty, QKeySequence(Qt::Key_Insert),
                                 &ChannelEditor::insertEmptyChannel);
    QAction *remove = makeAction("Edit_remove_channel", ChannelText::RemoveClosingGap,
                                 QKeySequence(Qt::CTRL | Qt::Key_Delete), &ChannelEditor::removeClosingGap);
    QAction *up = makeAction("Edit_move_up", ChannelText::MoveUp, QKeySequence(Qt::CTRL | Qt::Key_Up), &ChannelEditor::moveUp);
    QAction *down = makeAction("Edit_move_down", ChannelText::MoveDown, QKeySequence(Qt::CTRL | Qt::Key_Down),
                               &ChannelEditor::moveDown);
    m_sortMenu = new QMenu(ChannelText::Sort.text(m_chinese), this);
    m_sortMenu->setObjectName(QStringLiteral("Edit_sort"));
    m_sortMenu->addAction(makeAction("Edit_sort_rx", ChannelText::SortByRx, {}, &ChannelEditor::sortByRx));
    m_sortMenu->addAction(makeAction("Edit_sort_name", ChannelText::SortByName, {}, &ChannelEditor::sortByName));
    m_sortMenu->addAction(makeAction("Edit_sort_tone", ChannelText::SortByTone, {}, &ChannelEditor::sortByTone));
    QAction *find = makeAction("Edit_find", ChannelText::Find, QKeySequence::Find, &ChannelEditor::showFindBar);
    QAction *findNext = makeAction("Edit_find_next", ChannelText::FindNext, QKeySequence(Qt::Key_F3), &ChannelEditor::findAgain);
    QAction *print = makeAction("Edit_print", ChannelText::Print, QKeySequence::Print, &ChannelEditor::printChannels);
    QAction *pdf = makeAction("Edit_export_pdf", ChannelText::ExportPdf, {}, &ChannelEditor::exportPdfAsked);
    m_menuActions = {cut,    copy,   paste, del,       all,  separator(), insert, remove, up, down,
                     m_sortMenu->menuAction(), separator(), find, findNext, separator(), print, pdf};
}

void ChannelEditor::makeFindBar()
{
    m_findBar = new QWidget(this);
    m_findBar->setObjectName(QStringLiteral("Frame_find"));
    auto *row = new QHBoxLayout(m_findBar);
    row->setContentsMargins(0, 0, 0, 0);
    m_findText = new QLineEdit(m_findBar);
    m_findText->setObjectName(QStringLiteral("Text_find"));
    m_findText->setPlaceholderText(ChannelText::FindHint.text(m_chinese));
    m_findText->installEventFilter(this);
    QLabel *label = makeLabel(ChannelText::FindLabel, m_findText);
    auto *next = new QPushButton(ChannelText::FindNext.text(m_chinese), m_findBar);
    next->setObjectName(QStringLiteral("Command_find_next"));
    auto *close = new QPushButton(ChannelText::FindClose.text(m_chinese), m_findBar);
    close->setObjectName(QStringLiteral("Command_find_close"));
    m_findStatus = new QLabel(m_findBar);
    m_findStatus->setObjectName(QStringLiteral("Label_find"));
    row->addWidget(label);
    row->addWidget(m_findText, 1);
    row->addWidget(next);
    row->addWidget(m_findStatus);
    row->addStretch();
    row->addWidget(close);
    connect(m_findText, &QLineEdit::returnPressed, this, &ChannelEditor::findAgain);
    connect(next, &QPushButton::clicked, this, &ChannelEditor::findAgain);
    connect(close, &QPushButton::clicked, m_findBar, &QWidget::hide);
    m_findBar->hide();
}

void ChannelEditor::showContextMenu(const QPoint &at)
{
    QMenu menu(this);
    menu.addActions(m_menuActions);
    menu.exec(m_grid->viewport()->mapToGlobal(at));
}

bool ChannelEditor::refusedNow()
{
    if (refuseWhenBusy(&CommonText::Busy))
        return true;
    leaveEditedCell();
    return false;
}

void ChannelEditor::copyChannels()
{
    if (refusedNow())
        return;
    const ChannelClipboard::Copy copy = ChannelClipboard::copy(document().image(), m_grid->selectedChannels());
    auto *mime = new QMimeData;
    mime->setText(copy.tabSeparated);
    mime->setData(QString::fromLatin1(ChannelClipboard::CsvMime), copy.csv);
    mime->setData(QString::fromLatin1(ChannelClipboard::BytesMime), copy.bytes);
    QGuiApplication::clipboard()->setMimeData(mime);
}

void ChannelEditor::cutChannels()
{
    if (refusedNow())
        return;
    copyChannels();
    const QVector<int> channels = m_grid->selectedChannels();
    const StepLabel what = ChannelGridModel::channelsText(channels);
    m_model->emptyChannels({ChannelText::StepCut.text(false) + QLatin1Char(' ') + what.en,
                            ChannelText::StepCut.text(true) + QLatin1Char(' ') + what.zh},
                           channels);
}

void ChannelEditor::pasteChannels()
{
    if (refusedNow())
        return;
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    if (!mime)
        return;
    QString text = mime->text();
    if (text.trimmed().isEmpty())
        text = QString::fromUtf8(mime->data(QString::fromLatin1(ChannelClipboard::CsvMime)));
    const QVector<int> channels = m_grid->selectedChannels();
    const int first = channels.isEmpty() ? 0 : channels.first();
    const ChannelClipboard::Paste done =
        m_model->paste(text, mime->data(QString::fromLatin1(ChannelClipboard::BytesMime)), first);
    if (done.ok())
        m_grid->selectChannels(first, first + done.count - 1);
}

void ChannelEditor::deleteChannels()
{
    if (refusedNow())
        return;
    const QVector<int> channels = m_grid->selectedChannels();
    const StepLabel what = ChannelGridModel::channelsText(channels);
    m_model->emptyChannels({ChannelText::StepDelete.text(false) + QLatin1Char(' ') + what.en,
                            ChannelText::StepDelete.text(true) + QLatin1Char(' ') + what.zh},
                           channels);
}

void ChannelEditor::selectAllChannels()
{
    if (refusedNow())
        return;
    m_grid->selectAll();
}

void ChannelEditor::insertEmptyChannel()
{
    if (refusedNow())
        return;
    const QVector<int> channels = m_grid->selectedChannels();
    if (!channels.isEmpty())
        m_model->insertEmptyChannels(channels.first(), int(channels.size()));
}

void ChannelEditor::removeClosingGap()
{
    if (refusedNow())
        return;
    m_model->removeChannels(m_grid->selectedChannels());
}

void ChannelEditor::moveBy(bool up)
{
    if (refusedNow())
        return;
    const QVector<int> channels = m_grid->selectedChannels();
    if (!m_model->moveChannels(channels, up))
        return;
    // The selection goes with the channels.
    const int step = up ? -1 : 1;
    QItemSelection moved;
    for (int ch : channels)
        moved.select(m_model->index(ch + step, 0), m_model->index(ch + step, ChannelGridModel::ColumnCount - 1));
    m_grid->selectionModel()->setCurrentIndex(m_model->index(m_grid->currentIndex().row() + step, ChannelGridModel::Number),
                                              QItemSelectionModel::NoUpdate);
    m_grid->selectionModel()->select(moved, QItemSelectionModel::ClearAndSelect);
    m_grid->scrollTo(m_grid->currentIndex());
}

void ChannelEditor::sortBy(ChannelMoves::SortKey key)
{
    if (refusedNow())
        return;
    QVector<int> channels = m_grid->selectedChannels();
    if (channels.size() < 2) {
        channels.clear();
        for (int ch = 0; ch < ChannelGridModel::RowCount; ++ch)
            channels << ch;
    }
    m_model->sortChannels(channels, key);
}

void ChannelEditor::showFindBar()
{
    if (refusedNow())
        return;
    m_findBar->show();
    m_findText->setFocus();
    m_findText->selectAll();
}

void ChannelEditor::findAgain()
{
    if (m_findText->text().trimmed().isEmpty()) {
        showFindBar();
        return;
    }
    if (refusedNow())
        return;
    findNext(m_findText->text());
}

bool ChannelEditor::findNext(const QString &typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return false;
    const int from = std::max(0, m_grid->currentIndex().row());
    for (int i = 1; i <= ChannelGridModel::RowCount; ++i) {
        const int ch = (from + i) % ChannelGridModel::RowCount;
        const QString name = m_model->cellText(ch, ChannelGridModel::Name);
        const bool found = (!name.isEmpty() && name.contains(text, Qt::CaseInsensitive))
                           || m_model->cellText(ch, ChannelGridModel::RxFrequency).startsWith(text)
                           || m_model->cellText(ch, ChannelGridModel::TxFrequency).startsWith(text);
        if (found) {
            m_findStatus->clear();
            m_grid->selectChannels(ch, ch);
            return true;
        }
    }
    m_findStatus->setText(ChannelText::NotFound.text(m_chinese));
    return false;
}

namespace {

ChannelPrint::Heading printHeading(bool chinese)
{
    ChannelPrint::Heading heading;
    heading.chinese = chinese;
    heading.date = QDate::currentDate();
    if (const auto &radio = LinkNotices::instance().lastIdentity())
        heading.radio = radio->modelName.trimmed() + QStringLiteral("  ") + radio->numberText();
    return heading;
}

} // namespace

void ChannelEditor::printChannels()
{
    if (refusedNow())
        return;
    QPrinter printer(QPrinter::HighResolution);
    ChannelPrint::setUp(printer);
    printer.setDocName(ChannelText::PrintTitle.text(m_chinese));
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(ChannelText::Print.text(m_chinese).remove(QStringLiteral("...")));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *p) {
        ChannelPrint::paint(*p, document().image(), printHeading(m_chinese));
    });
    preview.exec();
}

void ChannelEditor::exportPdfAsked()
{
    if (refusedNow())
        return;
    const QString path = QFileDialog::getSaveFileName(this, ChannelText::ExportPdf.text(m_chinese).remove(QStringLiteral("...")),
                                                      QDir::home().filePath(QStringLiteral("channels.pdf")),
                                                      ChannelText::PdfFilter.text(m_chinese));
    if (!path.isEmpty())
        exportPdf(path);
}

bool ChannelEditor::exportPdf(const QString &path)
{
    if (ChannelPrint::writePdf(path, document().image(), printHeading(m_chinese)))
        return true;
    MessageBox::show(this, CommonText::PromptTitle.text(), ChannelText::PdfWriteFailed.text());
    return false;
}
