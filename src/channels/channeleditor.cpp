#include "channels/channeleditor.h"

#include "channels/channeldelegates.h"
#include "channels/channelgridmodel.h"
#include "channels/channelrecord.h"
#include "channels/channeltexts.h"
#include "image/areamap.h"
#include "image/memoryimage.h"
#include "platform/messagebox.h"

#include <QEvent>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The read asks for a record block and a name block at each step.
constexpr int ReadSteps = Area::ChannelCount * MemoryImage::Columns / Area::BlockBytes + 1; // 51

const int ColumnWidths[ChannelGridModel::ColumnCount] = {62, 80, 104, 104, 112, 112, 78, 66, 66, 74, 74, 66, 66, 66, 50, 96};

EditorWindow::Setup channelSetup()
{
    EditorWindow::Setup s;
    s.objectName = "frm_chann";
    s.caption = ChannelText::Caption;
    s.texts.readDone = ChannelText::ReadDone;
    s.texts.writeDone = ChannelText::WriteDone;
    s.texts.fault = ChannelText::Fault;
    s.widthDivisor = ChannelEditor::WidthDivisor;
    s.heightDivisor = ChannelEditor::HeightDivisor;
    return s;
}

} // namespace

ChannelEditor::ChannelEditor(QWidget *parent)
    : EditorWindow(channelSetup(), parent)
{
    m_model = new ChannelGridModel(Document::instance(), m_chinese, this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("MSF_Chann"));
    m_grid->setAccessibleName(ChannelText::Caption.text(m_chinese));
    m_grid->setModel(m_model);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 8);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked
                            | QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed);
    m_grid->setTabKeyNavigation(true);
    m_grid->setAlternatingRowColors(true);
    m_grid->viewport()->installEventFilter(this);
    for (int c = 0; c < ChannelGridModel::ColumnCount; ++c)
        m_grid->setColumnWidth(c, ColumnWidths[c]);

    m_textDelegate = new ChannelTextDelegate(this);
    m_listDelegate = new ChannelListDelegate(this);
    for (int c = 0; c < ChannelGridModel::ColumnCount; ++c) {
        if (ChannelGridModel::isTextColumn(c))
            m_grid->setItemDelegateForColumn(c, m_textDelegate);
        else if (ChannelGridModel::isListColumn(c))
            m_grid->setItemDelegateForColumn(c, m_listDelegate);
    }
    connect(m_textDelegate, &ChannelTextDelegate::enterPressed, this, &ChannelEditor::moveAfterEnter,
            Qt::QueuedConnection);
    connect(m_listDelegate, &ChannelListDelegate::enterPressed, this, &ChannelEditor::moveAfterEnter,
            Qt::QueuedConnection);
    connect(m_model, &ChannelGridModel::refused, this, &ChannelEditor::showRefusal);

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

    m_layout = new QVBoxLayout(this);
    m_layout->addWidget(m_grid, 1);
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
    for (int w : ColumnWidths)
        natural += w;
    const int available = m_grid->viewport()->width();
    const double factor = std::max(MostShrink, double(available) / natural);
    // Never narrower than the column's caption.
    const QHeaderView *header = m_grid->horizontalHeader();
    int used = 0;
    for (int c = 0; c < ChannelGridModel::ColumnCount; ++c) {
        const int caption = header->sectionSizeHint(c);
        const int w = c + 1 < ChannelGridModel::ColumnCount
            ? std::max(caption, int(ColumnWidths[c] * factor))
            : std::max({caption, int(ColumnWidths[c] * MostShrink), available - used});
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

void ChannelEditor::showRefusal(const BiText &title, const BiText &text)
{
    // After the step: a message box runs an event loop of its own.
    Document::instance().whenSettled([this, title, text] { MessageBox::show(this, title.text(), text.text()); });
}

void ChannelEditor::leaveEditedCell()
{
    m_grid->setCurrentIndex(m_model->index(m_grid->currentIndex().row(), ChannelGridModel::Number));
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
