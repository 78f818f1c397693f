#include "shell/changeswindow.h"

#include "files/backups.h"
#include "files/radiohistory.h"
#include "files/radiohistory.h"
#include "image/dataorigin.h"
#include "image/document.h"
#include "image/imagediff.h"
#include "link/changedwritetexts.h"
#include "editor/editorwindow.h"
#include "platform/messagebox.h"
#include "shell/compareview.h"
#include "shell/diffareas.h"
#include "texts/commontexts.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cmath>

namespace {
constexpr BiText Caption{"Write Changes to Radio", "写入改动到对讲机"};
constexpr BiText CloseCaption{"Close", "关闭"};
constexpr BiText WriteCaption{"Write", "写入"};
constexpr BiText ListName{"Changes", "改动"};
constexpr BiText BackupKept{"Backup: %1", "备份：%1"};
// As the read window counts: in 201ths, so the read never quite shows 100 %.
constexpr int ReadProgressDivisor = 201;
} // namespace

ChangesWindow::ChangesWindow(QWidget *parent)
    : TransferWindow(Pacing::transferWindow(), PortOpener::TransferWindow, parent)
    , m_changes(m_engine)
{
    setObjectName(QStringLiteral("frm_changes"));
    setWindowTitle(Caption.text(m_chinese));

    m_otherRadio = new QLabel(this);
    m_otherRadio->setObjectName(QStringLiteral("Label_other_radio"));
    m_otherRadio->setWordWrap(true);
    m_otherRadio->setStyleSheet(QStringLiteral("color: #a04000; font-weight: bold"));
    m_otherRadio->hide();
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("Label_summary"));
    m_summary->setWordWrap(true);
    m_baseline = new QLabel(this);
    m_baseline->setObjectName(QStringLiteral("Label_baseline"));
    m_baseline->setWordWrap(true);
    m_baseline->hide();
    m_wholeRead = new QCheckBox(ChangedWriteText::WholeReadFirst.text(m_chinese), this);
    m_wholeRead->setObjectName(QStringLiteral("Check_whole_read"));
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("List_changes"));
    m_list->setHeaderHidden(true);
    m_list->setAccessibleName(ListName.text(m_chinese));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_backup = new QLabel(this);
    m_backup->setObjectName(QStringLiteral("Label_backup"));
    m_backup->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_backup->hide();

    m_write = new QPushButton(WriteCaption.text(m_chinese), this);
    m_write->setObjectName(QStringLiteral("Command_write"));
    m_write->setEnabled(false);
    m_close = new QPushButton(CloseCaption.text(m_chinese), this);
    m_close->setObjectName(QStringLiteral("Command_close"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_wholeRead);
    buttons->addWidget(m_progress, 2);
    buttons->addWidget(m_status, 3);
    buttons->addStretch(1);
    buttons->addWidget(m_write);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_otherRadio);
    layout->addWidget(m_baseline);
    layout->addWidget(m_summary);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_backup);
    layout->addLayout(buttons);

    connect(m_write, &QPushButton::clicked, this, &ChangesWindow::writeClicked);
    connect(m_close, &QPushButton::clicked, this, &ChangesWindow::closeClicked);
    connect(&m_changes, &ChangedWrite::progress, this, &ChangesWindow::showProgress);
    connect(&m_changes, &ChangedWrite::compared, this, &ChangesWindow::showComparison);
    connect(&m_changes, &ChangedWrite::finished, this, &ChangesWindow::showFinished);
    connect(&m_changes, &ChangedWrite::failed, this, &ChangesWindow::showFailure);
    connect(&m_changes, &ChangedWrite::fellBack, this, &ChangesWindow::showFallBack);
    // Ticked or unticked, the comparison is made again the way the box now says.
    connect(m_wholeRead, &QCheckBox::toggled, this, [this] {
        if (!isBusy())
            start();
    });

    QTimer::singleShot(0, this, &ChangesWindow::start);
}

QRect ChangesWindow::placement(const QSize &mainWindow, const QSize &clientArea)
{
    return EditorWindow::placement(mainWindow, clientArea, 1.6, 1.4);
}

void ChangesWindow::start()
{
    if (isBusy())
        return;
    m_write->setEnabled(false);
    m_list->clear();
    m_summary->clear();
    m_otherRadio->hide();
    m_baseline->hide();
    m_baseline->clear();
    const MemoryImage &plan = Document::instance().image();
    const bool started = m_wholeRead->isChecked() ? m_changes.compare(plan)
                                                  : m_changes.compareQuick(plan, &RadioHistory::quickBaseline);
    if (started)
        showConnecting();
}

void ChangesWindow::showProgress(int done, int total)
{
    switch (m_changes.stage()) {
    case ChangedWrite::Stage::Reading:
        setProgress(int(std::floor(double(done) / ReadProgressDivisor * 100)));
        setStatus(CommonText::readingBlock(done, m_chinese));
        break;
    case ChangedWrite::Stage::Writing:
        setProgress(done * 100 / std::max(total, 1));
        setStatus(CommonText::writingBlock(done, m_chinese));
        break;
    case ChangedWrite::Stage::Probing:
    case ChangedWrite::Stage::Checking:
        setProgress(done * 100 / std::max(total, 1));
        setStatus(ChangedWriteText::Checking.text(m_chinese).arg(done));
        break;
    default: break;
    }
}

void ChangesWindow::showComparison()
{
    m_progress->hide();
    const QString origin = DataOrigin::number();
    const QString number = m_changes.identity().number;
    // A restored backup knows its radio by the folder name, so both are compared in that form.
    if (!origin.isEmpty() && Backups::radioFolder(origin) != Backups::radioFolder(number)) {
        m_otherRadio->setText(ChangedWriteText::OtherRadio.text(m_chinese).arg(number.trimmed(), origin.trimmed()));
        m_otherRadio->show();
    }
    if (m_changes.stage() == ChangedWrite::Stage::Refused) {
        setStatus(m_changes.refusal(m_chinese));
        MessageBox::show(this, CommonText::PromptTitle.text(), m_changes.refusal(Language::isChinese()));
        emit settled();
        return;
    }
    const int frames = m_changes.frames().size();
    if (m_changes.isQuick()) {
        const QString when = ChangedWriteText::timeText(m_changes.baselineTaken(), m_chinese);
        m_baseline->setText(
            ChangedWriteText::QuickNote.text(m_chinese).arg(when, ChangedWrite::addressList(m_changes.probedBlocks())));
        m_baseline->show();
    }
    if (frames == 0) {
        m_summary->setText(ChangedWriteText::NothingDiffers.text(m_chinese));
        setStatus(ChangedWriteText::NothingDiffers);
        emit settled();
        return;
    }
    const auto groups = ImageDiff::describeGrouped(m_changes.radio(), m_changes.planned(), diffAreas(),
                                                   Area::BulkWriteRows, m_chinese);
    // The button counts what the list shows: its lines.
    int changes = 0;
    for (const ImageDiff::GroupLines &g : groups)
        changes += g.lines.size();
    CompareView::fill(m_list, groups, m_chinese);
    m_summary->clear();
    m_write->setText(ChangedWriteText::writeChanges(changes, m_chinese));
    m_write->setEnabled(true);
    setStatus(QString());
    emit settled();
}

void ChangesWindow::writeClicked()
{
    if (isBusy()) {
        MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::Busy.text());
        return;
    }
    const bool written = m_changes.write([this](const MemoryImage &radio, const RadioIdentity &identity) {
        // The history's newest snapshot, when it holds these very bytes (the read just made).
        const RadioHistory::Recorded kept = RadioHistory::record(radio, identity, RadioHistory::Kind::BeforeWrite);
        if (!kept.result.ok)
            return kept.result.message();
        m_backupPath = kept.path;
        return QString();
    });
    if (!written) {
        if (m_changes.failure() == ChangedWrite::Failure::Backup)
            MessageBox::show(this, CommonText::PromptTitle.text(),
                             ChangedWriteText::BackupFailed.text().arg(m_changes.backupError()));
        return;
    }
    m_write->setEnabled(false);
    m_backup->setText(BackupKept.text(m_chinese).arg(QDir::toNativeSeparators(m_backupPath)));
    m_backup->show();
    showConnecting();
}

void ChangesWindow::showFallBack()
{
    // Said in the window, not in a box: the whole read that follows is the answer.
    m_baseline->setText(m_changes.fallbackText(m_chinese));
    m_baseline->show();
    setStatus(m_changes.fallbackText(m_chinese));
}

void ChangesWindow::showFinished()
{
    setProgress(100);
    // The radio now holds the document's data.
    Document::instance().adoptOrigin(m_changes.identity().number);
    setStatus(m_changes.resultText(m_chinese));
    MessageBox::show(this, CommonText::PromptTitle.text(), m_changes.resultText(Language::isChinese()));
    emit settled();
}

void ChangesWindow::showFailure()
{
    setProgress(0);
    if (m_changes.failure() == ChangedWrite::Failure::Read) {
        MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::FailConnect.text());
        setStatus(CommonText::CommunicationFault);
    } else {
        setStatus(CommonText::CommunicationFault);
        MessageBox::show(this, CommonText::PromptTitle.text(), m_changes.resultText(Language::isChinese()));
    }
    emit settled();
}

void ChangesWindow::closeClicked()
{
    if (isBusy()) {
        MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::BusyClose.text());
        return;
    }
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->close();
    else
        close();
}

void ChangesWindow::closeEvent(QCloseEvent *event)
{
    if (isBusy()) {
        MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::BusyCloseFrame.text());
        event->ignore();
        return;
    }
    m_changes.stop();
    event->accept();
}
