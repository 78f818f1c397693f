#include "channels/channeleditor.h"

#include "channels/channeldelegates.h"
#include "channels/channelgridmodel.h"
#include "channels/channelrecord.h"
#include "channels/channeltexts.h"
#include "image/areamap.h"
#include "image/memoryimage.h"
#include "link/portopenerror.h"
#include "platform/messagebox.h"
#include "texts/commontexts.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The channel read asks for the record block and the name block of each step in turn.
constexpr int ReadSteps = 51;
constexpr int StoredSteps = Area::ChannelCount * MemoryImage::Columns / Area::BlockBytes; // 50

QVector<int> channelReadAddresses()
{
    QVector<int> addresses;
    for (int k = 0; k < ReadSteps; ++k) {
        addresses << Area::Channels.firstAddress() + k * Area::BlockBytes;
        addresses << Area::ChannelNames.firstAddress() + k * Area::BlockBytes;
    }
    return addresses;
}

QVector<ExchangeEngine::Frame> channelWriteFrames(const MemoryImage &image)
{
    QVector<ExchangeEngine::Frame> frames;
    for (int n = 0; n < Area::ChannelCount; ++n) {
        frames.append({Area::Channels.firstAddress() + n * Area::FrameBytes, image.row(Area::Channels.firstRow + n)});
        frames.append({Area::ChannelNames.firstAddress() + n * Area::FrameBytes,
                       image.row(Area::ChannelNames.firstRow + n)});
    }
    return frames;
}

const int ColumnWidths[ChannelGridModel::ColumnCount] = {62, 80, 104, 104, 112, 112, 78, 66, 66, 74, 74, 66, 66, 66, 50, 96};

} // namespace

ChannelEditor::ChannelEditor(QWidget *parent)
    : QWidget(parent)
    , m_engine(Pacing::transferWindow())
{
    m_chinese = Language::isChinese();
    setObjectName(QStringLiteral("frm_chann"));
    setWindowTitle(ChannelText::Caption.text(m_chinese));

    m_model = new ChannelGridModel(MemoryImage::instance(), m_chinese, this);
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

    auto button = [this](const char *name, const BiText &caption) {
        auto *b = new QPushButton(caption.text(m_chinese), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    m_read = button("Command_read", ChannelText::Read);
    m_write = button("Command_write", ChannelText::Write);
    m_clear = button("Command_Clear", ChannelText::Clear);
    m_default = button("Command_def", ChannelText::Default);
    m_save = button("Command_save", ChannelText::Save);
    m_open = button("Command_open", ChannelText::Open);
    m_close = button("Command_close", ChannelText::Close);
    connect(m_read, &QPushButton::clicked, this, &ChannelEditor::readChannels);
    connect(m_write, &QPushButton::clicked, this, &ChannelEditor::writeChannels);
    connect(m_clear, &QPushButton::clicked, this, &ChannelEditor::clearChannels);
    connect(m_default, &QPushButton::clicked, this, &ChannelEditor::loadDefaults);
    connect(m_save, &QPushButton::clicked, this, &ChannelEditor::saveFile);
    connect(m_open, &QPushButton::clicked, this, &ChannelEditor::openFile);
    connect(m_close, &QPushButton::clicked, this, &ChannelEditor::closeWindow);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setVisible(false);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Label_tr_count"));
    m_status->setMinimumWidth(220);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_progress, 2);
    buttons->addWidget(m_status, 2);
    buttons->addStretch(1);
    for (QPushButton *b : {m_read, m_write, m_clear, m_default, m_save, m_open, m_close})
        buttons->addWidget(b);

    auto *layout = new QVBoxLayout(this);
    m_layout = layout;
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);

    connect(&m_engine, &ExchangeEngine::identified, this, &ChannelEditor::onIdentified);
    connect(&m_engine, &ExchangeEngine::progress, this, &ChannelEditor::onProgress);
    connect(&m_engine, &ExchangeEngine::finished, this, &ChannelEditor::onFinished);
    connect(&m_engine, &ExchangeEngine::failed, this, &ChannelEditor::onFailed);
    connect(&m_engine, &ExchangeEngine::portOpenFailed, this, &ChannelEditor::onPortOpenFailed);

    m_model->displayAll();
    m_grid->setCurrentIndex(m_model->index(0, ChannelGridModel::Number));
}

ChannelEditor::~ChannelEditor()
{
    m_engine.stop();
}

void ChannelEditor::resizeEvent(QResizeEvent *event)
{
    // The grid takes the inner width / 1.02, centred.
    const int side = std::max(4, int(width() * (1.0 - 1.0 / 1.02) / 2));
    m_layout->setContentsMargins(side, 6, side, 6);
    QWidget::resizeEvent(event);
}

QRect ChannelEditor::placement(const QSize &mainWindow, const QSize &clientArea)
{
    const QSize size(int(mainWindow.width() / 1.06), int(mainWindow.height() / 1.26));
    const QSize fitted = size.boundedTo(clientArea);
    return QRect(QPoint(std::max(0, (clientArea.width() - fitted.width()) / 2),
                        std::max(0, (clientArea.height() - fitted.height()) / 2)),
                 fitted);
}

bool ChannelEditor::isBusy() const
{
    return m_engine.isReading() || m_engine.isWriting();
}

void ChannelEditor::redisplay()
{
    m_model->displayAll();
}

void ChannelEditor::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Inside the frame, coming back to the front shows what a file load or a bulk read
    // changed meanwhile.
    if (!m_watchingActivation) {
        if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget())) {
            connect(frame, &QMdiSubWindow::windowStateChanged, this,
                    [this](Qt::WindowStates before, Qt::WindowStates now) {
                        if ((now & Qt::WindowActive) && !(before & Qt::WindowActive))
                            redisplay();
                    });
            m_watchingActivation = true;
        }
    }
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
    MessageBox::show(this, title.text(), text.text());
}

bool ChannelEditor::refuseWhenBusy(const BiText &text)
{
    if (!isBusy())
        return false;
    MessageBox::show(this, CommonText::PromptTitle.text(), text.text());
    return true;
}

void ChannelEditor::setStatus(const QString &text)
{
    m_status->setText(text);
}

void ChannelEditor::readChannels()
{
    if (refuseWhenBusy(CommonText::Busy))
        return;
    if (m_engine.startRead(channelReadAddresses())) {
        m_progress->setValue(0);
        m_progress->setVisible(true);
        setStatus(CommonText::Connecting.text(m_chinese));
    }
}

void ChannelEditor::writeChannels()
{
    if (refuseWhenBusy(CommonText::Busy))
        return;
    const int failing = channelBandCheck(MemoryImage::instance());
    if (failing != ChannelRecord::NoFailingChannel) {
        MessageBox::show(this, CommonText::PromptTitle.text(),
                         ChannelText::bandCheckFailed(failing, Language::isChinese()));
        return;
    }
    if (m_engine.startWrite(channelWriteFrames(MemoryImage::instance()))) {
        m_progress->setValue(0);
        m_progress->setVisible(true);
        setStatus(CommonText::Connecting.text(m_chinese));
    }
}

void ChannelEditor::clearChannels()
{
    if (refuseWhenBusy(CommonText::BusyClear))
        return;
    m_grid->setCurrentIndex(m_model->index(m_grid->currentIndex().row(), ChannelGridModel::Number));
    m_model->clearAll();
}

void ChannelEditor::loadDefaults()
{
    // Allowed during a transfer: a write sends the rows as they were when it started, and
    // a read replaces the channels with what the radio holds when it ends.
    m_grid->setCurrentIndex(m_model->index(m_grid->currentIndex().row(), ChannelGridModel::Number));
    m_model->loadDefaults();
}

void ChannelEditor::openFile()
{
    if (refuseWhenBusy(CommonText::Busy))
        return;
    emit dataFileWindowRequested(false);
}

void ChannelEditor::saveFile()
{
    if (refuseWhenBusy(CommonText::Busy))
        return;
    emit dataFileWindowRequested(true);
}

void ChannelEditor::closeWindow()
{
    if (refuseWhenBusy(CommonText::BusyClose))
        return;
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->close();
    else
        close();
}

void ChannelEditor::closeEvent(QCloseEvent *event)
{
    if (isBusy()) {
        MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::BusyCloseFrame.text());
        event->ignore();
        return;
    }
    m_engine.stop();
    emit closingFileWindows();
    event->accept();
}

void ChannelEditor::onIdentified()
{
    if (m_engine.isReading()) {
        setStatus(CommonText::readingBlock(1, m_chinese));
        m_progress->setValue(100 / (ReadSteps + 1));
    } else if (m_engine.isWriting()) {
        setStatus(ChannelText::writingChannel(0, m_chinese));
        m_progress->setValue(0);
    }
}

void ChannelEditor::onProgress(int done, int)
{
    if (m_engine.isReading()) {
        // Blocks alternate record, name; a record request goes out after an even count.
        if (done % 2 == 0) {
            const int k = done / 2 + 1;
            setStatus(CommonText::readingBlock(k, m_chinese));
            m_progress->setValue(k * 100 / (ReadSteps + 1));
        }
    } else if (m_engine.isWriting()) {
        if (done % 2 == 0) {
            const int n = done / 2;
            setStatus(ChannelText::writingChannel(n, m_chinese));
            m_progress->setValue(n * 100 / Area::ChannelCount);
        }
    }
}

void ChannelEditor::onFinished()
{
    if (m_engine.direction() == ExchangeEngine::Direction::Read) {
        const ReceiveSlots &replies = m_engine.receiveSlots();
        // Check every reply before storing any, so a bad one leaves the image as it was.
        for (int block = 1; block <= 2 * StoredSteps; ++block) {
            if (replies.dataOffset(block) < 0) {
                onFailed();
                return;
            }
        }
        MemoryImage &image = MemoryImage::instance();
        for (int k = 0; k < StoredSteps; ++k) {
            image.setRows(Area::Channels.firstRow + k * 4, replies.data(2 * k + 1));
            image.setRows(Area::ChannelNames.firstRow + k * 4, replies.data(2 * k + 2));
        }
        m_model->displayAll();
        m_model->displayRadioNames();
        m_progress->setValue(100);
        MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::ReadComplete.text());
        setStatus(ChannelText::ReadDone.text(m_chinese));
    } else {
        m_progress->setValue(100);
        MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::WriteComplete.text());
        setStatus(ChannelText::WriteDone.text(m_chinese));
    }
}

void ChannelEditor::onFailed()
{
    m_engine.stop();
    MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::FailConnect.text());
    m_progress->setValue(0);
    setStatus(ChannelText::Fault.text(m_chinese));
}

void ChannelEditor::onPortOpenFailed()
{
    showPortOpenError(this, PortOpener::TransferWindow);
}
