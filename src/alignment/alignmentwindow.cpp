#include "alignment/alignmentwindow.h"

#include "alignment/alignmenttexts.h"
#include "alignment/alignmentfiles.h"
#include "files/adjustfilerequests.h"
#include "editor/keypolicy.h"
#include "files/droppedfiles.h"
#include "link/linknotices.h"
#include "platform/filedrags.h"
#include "platform/messagebox.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QVBoxLayout>

using namespace Alignment;

namespace {

const char *IndexProperty = "controlIndex";

struct TabEntry
{
    const char *key;
    const BiText *caption;
    int frame;
};
const TabEntry Tabs[AlignmentWindow::TabCount] = {
    {"Adj_Txp_High", &AlignmentText::TabHigh, 0}, {"Adj_Txp_Low", &AlignmentText::TabLow, 0},
    {"Adj_Sql_Leve", &AlignmentText::TabSquelch, 1}, {"Adj_Dev_Leve", &AlignmentText::TabDeviation, 2},
    {"Adj_Other", &AlignmentText::TabOther, 3},
};

EditorWindow::Setup alignmentSetup()
{
    EditorWindow::Setup s(AlignmentText::TabHigh,
                          {AlignmentText::ReadDone, AlignmentText::WriteDone, AlignmentText::ReadComplete,
                           AlignmentText::WriteComplete},
                          AlignmentWindow::WidthDivisor, AlignmentWindow::HeightDivisor,
                          EditorWindow::Setup::Kind::MainWindow);
    s.pacing = Pacing::alignmentTransfer();
    // Nothing but this window changes the alignment values.
    s.refreshOnActivation = false;
    s.files = EditorWindow::FileKind::Adjust;
    return s;
}

// A leading run of digits, as the radio's users type limits; 0 for none.
int leadingNumber(const QString &text)
{
    const QString t = text.trimmed();
    int v = 0;
    for (QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        v = v * 10 + (c.unicode() - '0');
        if (v > 99999)
            break;
    }
    return v;
}

} // namespace

AlignmentWindow::AlignmentWindow(QWidget *parent)
    : EditorWindow(alignmentSetup(), parent)
{
    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("TabStrip1"));
    for (const TabEntry &t : Tabs) {
        const int i = m_tabs->addTab(t.caption->text(m_chinese));
        m_tabs->setTabData(i, QString::fromLatin1(t.key));
    }

    m_frames[0] = makePowerFrame();
    m_frames[1] = makeSquelchFrame();
    m_frames[2] = makeDeviationFrame();
    m_frames[3] = makeOtherFrame();

    QHBoxLayout *buttons = makeButtonRow({
        {Action::Read, "Command_read", AlignmentText::Read, &CommonText::Busy},
        {Action::Write, "Command_write", AlignmentText::Write, &CommonText::Busy},
        {Action::Default, "Command_def", AlignmentText::Default, &CommonText::Busy},
        {Action::Open, "Command_open", AlignmentText::Open, &CommonText::Busy},
        {Action::Save, "Command_save", AlignmentText::Save, &CommonText::Busy},
        // As the optional features window has it: no space before the comma.
        {Action::Close, "Command_close", AlignmentText::Close, &CommonText::BusyCloseFrame},
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    for (QGroupBox *f : m_frames)
        layout->addWidget(f, 1);
    layout->addLayout(buttons);

    connect(m_tabs, &QTabBar::currentChanged, this, &AlignmentWindow::tabChosen);
    connect(&AdjustFileRequests::instance(), &AdjustFileRequests::requested, this, &AlignmentWindow::takeFileRequest);
    tabChosen(High);

    // An alignment file dropped anywhere on the window opens as Open does, the boxes too.
    setAcceptDrops(true);
    FileDrags::passToWindow(this);
}

namespace {

bool anyAdjustFile(const QStringList &files)
{
    for (const QString &f : files) {
        if (DroppedFiles::kindOf(f) == DroppedFiles::Kind::AdjustFile)
            return true;
    }
    return false;
}

} // namespace

void AlignmentWindow::dragEnterEvent(QDragEnterEvent *event)
{
    // A drag with an alignment file in it is this window's to judge; any other is left to
    // the main window behind.
    if (anyAdjustFile(DroppedFiles::files(event->mimeData())))
        event->acceptProposedAction();
    else
        event->ignore();
}

void AlignmentWindow::dragMoveEvent(QDragMoveEvent *event)
{
    // The drop cursor only for one alignment file.
    const QStringList files = DroppedFiles::files(event->mimeData());
    if (files.size() == 1 && anyAdjustFile(files))
        event->acceptProposedAction();
    else
        event->ignore();
}

void AlignmentWindow::dropEvent(QDropEvent *event)
{
    event->acceptProposedAction();
    const QStringList files = DroppedFiles::files(event->mimeData());
    // Opened once the drop has returned to the program that sent it, as on the main window.
    QMetaObject::invokeMethod(
        this,
        [this, files] {
            if (files.size() > 1) {
                MessageBox::show(this, CommonText::PromptTitle.text(), DroppedFiles::SeveralFiles.text());
                return;
            }
            if (files.isEmpty() || DroppedFiles::kindOf(files.first()) != DroppedFiles::Kind::AdjustFile) {
                const QString name = files.isEmpty() || files.first().isEmpty() ? QStringLiteral("?")
                                                                                 : QFileInfo(files.first()).fileName();
                MessageBox::show(this, CommonText::PromptTitle.text(), DroppedFiles::OtherKind.text().arg(name));
                return;
            }
            // The Open button's own refusal while the window talks to the radio.
            if (refuseWhenBusy(&CommonText::Busy))
                return;
            AdjustFileRequests::instance().requestOpen(files.first());
        },
        Qt::QueuedConnection);
}

AlignmentWindow::~AlignmentWindow()
{
    // The boxes lose the focus while the base class tears the window down, after the
    // box tables are gone; they have nothing to tell this window any more.
    for (QLineEdit *edit : findChildren<QLineEdit *>())
        edit->disconnect(this);
}

QLineEdit *AlignmentWindow::makeNumberBox(Boxes &boxes, int i, const QString &caption)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(boxes.kind->name));
    edit->setProperty(IndexProperty, i);
    edit->setAlignment(Qt::AlignCenter);
    edit->setMaximumWidth(48);
    edit->setAccessibleName(caption);
    nameStep(edit, StepLabel(caption, caption));
    // The line a box edits follows the tab (high or low power); a refused entry takes the
    // value the defaults give that point.
    Boxes *row = &boxes;
    bindNumber(edit, Access::alignmentByte([this, row, i] { return index(lineOf(*row), i); }),
               {row->kind->maximum, [this, row, i] { return int(Table::defaultAt(lineOf(*row), i)); },
                AlignmentText::NumberTitle, QString::fromUtf8(row->kind->notDigitsMessage),
                QString::fromUtf8(row->kind->outOfRangeMessage)});
    boxes.edits.append(edit);
    return edit;
}

QGroupBox *AlignmentWindow::makePowerFrame()
{
    auto *frame = new QGroupBox(AlignmentText::TabHigh.text(m_chinese), this);
    frame->setObjectName(QStringLiteral("Frame_Frame"));
    auto *grid = new QGridLayout(frame);
    struct Band
    {
        Boxes *boxes;
        const char *name;
        int (*point)(int);
        int upper;
    } bands[] = {{&m_powerVhf, "VHF", &vhfPoint, VhfBounds.upper}, {&m_powerUhf, "UHF", &uhfPoint, UhfBounds.upper}};
    for (int b = 0; b < 2; ++b) {
        auto *title = new QLabel(QString::fromLatin1(bands[b].name), frame);
        grid->addWidget(title, b * 5, 0, 1, 8);
        for (int i = 0; i < Points; ++i) {
            const QString point = QStringLiteral("%1MHZ").arg(bands[b].point(i));
            QLineEdit *edit = makeNumberBox(*bands[b].boxes, i, QStringLiteral("%1 %2").arg(QLatin1String(bands[b].name), point));
            auto *label = new QLabel(point, frame);
            label->setBuddy(edit);
            label->setAlignment(Qt::AlignCenter);
            // Points at or above the band's upper bound stand out; they are edited alike.
            const bool beyond = bands[b].point(i) >= bands[b].upper;
            edit->setProperty("beyondBand", beyond);
            if (beyond) {
                QPalette p = edit->palette();
                p.setColor(QPalette::Base, p.color(QPalette::Highlight));
                p.setColor(QPalette::Text, p.color(QPalette::HighlightedText));
                edit->setPalette(p);
            }
            const int row = b * 5 + 1 + (i / 8) * 2;
            grid->addWidget(label, row, i % 8);
            grid->addWidget(edit, row + 1, i % 8);
        }
    }
    grid->setRowStretch(10, 1);
    return frame;
}

QGroupBox *AlignmentWindow::makeSquelchFrame()
{
    auto *frame = new QGroupBox(AlignmentText::TabSquelch.text(m_chinese), this);
    frame->setObjectName(QStringLiteral("Frame_Sql"));
    auto *grid = new QGridLayout(frame);
    int row = 0;
    auto addRow = [&](Boxes &boxes, const QString &title, int (*point)(int)) {
        grid->addWidget(new QLabel(title, frame), row++, 0, 1, 8);
        for (int i = 0; i < boxes.kind->count; ++i) {
            const QString caption = point ? QString::number(point(i)) : QString::number(i);
            QLineEdit *edit = makeNumberBox(boxes, i, QStringLiteral("%1 %2").arg(title, caption));
            auto *label = new QLabel(caption, frame);
            label->setBuddy(edit);
            label->setAlignment(Qt::AlignCenter);
            grid->addWidget(label, row + (i / 8) * 2, i % 8);
            grid->addWidget(edit, row + (i / 8) * 2 + 1, i % 8);
        }
        row += 4;
    };
    addRow(m_squelchVhf, QStringLiteral("VHF 静噪等级"), nullptr);
    addRow(m_offsetVhf, QStringLiteral("VHF 静噪补偿"), &vhfPoint);
    addRow(m_squelchUhf, QStringLiteral("UHF 静噪等级"), nullptr);
    addRow(m_offsetUhf, QStringLiteral("UHF 静噪补偿"), &uhfPoint);
    grid->setRowStretch(row, 1);
    return frame;
}

QGroupBox *AlignmentWindow::makeDeviationFrame()
{
    auto *frame = new QGroupBox(AlignmentText::TabDeviation.text(m_chinese), this);
    frame->setObjectName(QStringLiteral("Frame_Dev"));
    auto *grid = new QGridLayout(frame);
    for (int k = 0; k < ListSettingCount; ++k) {
        const ListSetting &s = ListSettings[k];
        auto *combo = new QComboBox(frame);
        combo->setObjectName(QString::fromLatin1(s.name));
        for (int v = 0; v < s.count; ++v)
            combo->addItem(QString::number(v));
        bindList(combo, Access::alignmentByte([k] { return index(ListLine, k); }),
                 // A value beyond the list is shown as it is, with no entry chosen for it.
                 [k](const Document::Contents &c) { return QString::number(uint8_t(c.alignment.at(index(ListLine, k)))); });
        QLabel *label = makeLabel({s.label, s.label}, combo);
        grid->addWidget(label, k / 2, (k % 2) * 2);
        grid->addWidget(combo, k / 2, (k % 2) * 2 + 1);
    }
    grid->setRowStretch(ListSettingCount / 2 + 1, 1);
    return frame;
}

QGroupBox *AlignmentWindow::makeOtherFrame()
{
    auto *frame = new QGroupBox(AlignmentText::TabOther.text(m_chinese), this);
    frame->setObjectName(QStringLiteral("Frame_Other"));
    auto *grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("下限频率 (MHZ)"), frame), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("上限频率 (MHZ)"), frame), 0, 2);
    const char *bandNames[2] = {"VHF", "UHF"};
    for (int band = 0; band < 2; ++band) {
        grid->addWidget(new QLabel(QString::fromLatin1(bandNames[band]), frame), band + 1, 0);
        for (int upper = 0; upper < 2; ++upper) {
            auto *edit = new QLineEdit(frame);
            edit->setObjectName(QString::fromLatin1(upper ? "Text_Freq_H" : "Text_Freq_L"));
            edit->setProperty(IndexProperty, band);
            // Typing stops at four characters; a longer value a radio brought is still
            // shown whole, which a maximum length would cut.
            KeyPolicy::install(edit, KeyPolicy::Rule::upTo(4));
            edit->setMaximumWidth(80);
            edit->setAccessibleName(QStringLiteral("%1 %2").arg(QLatin1String(bandNames[band]),
                                                                upper ? QStringLiteral("上限频率") : QStringLiteral("下限频率")));
            nameStep(edit, StepLabel(edit->accessibleName(), edit->accessibleName()));
            connect(edit, &QLineEdit::editingFinished, this, [this, band, upper] { rangeLeft(band, upper != 0); });
            m_rangeBoxes[band][upper] = edit;
            grid->addWidget(edit, band + 1, upper + 1);
        }
    }
    auto *transmit = new QCheckBox(AlignmentText::TransmitAllowed.text(m_chinese), frame);
    transmit->setObjectName(QStringLiteral("Check_Tx"));
    grid->addWidget(transmit, 3, 1);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(3, 1);
    return frame;
}

QLineEdit *AlignmentWindow::box(const QString &name, int i) const
{
    for (QLineEdit *e : findChildren<QLineEdit *>(name)) {
        if (e->property(IndexProperty).toInt() == i)
            return e;
    }
    return nullptr;
}

QComboBox *AlignmentWindow::list(const char *name) const
{
    return findChild<QComboBox *>(QString::fromLatin1(name));
}

int AlignmentWindow::lineOf(const Boxes &boxes) const
{
    const int tab = m_tabs->currentIndex() == Low ? 1 : 0;
    if (boxes.kind == &PowerVhf)
        return 2 * tab;
    if (boxes.kind == &PowerUhf)
        return 2 * tab + 1;
    if (boxes.kind == &SquelchVhf)
        return 4;
    if (boxes.kind == &OffsetVhf)
        return 5;
    if (boxes.kind == &SquelchUhf)
        return 6;
    return 7;
}

void AlignmentWindow::rangeLeft(int band, bool upper)
{
    QLineEdit *edit = m_rangeBoxes[band][upper ? 1 : 0];
    // Only what the user typed is checked; passing through a box keeps what it shows.
    if (!edit->isModified())
        return;
    edit->setModified(false);
    const BandBounds b = bounds(band);
    const int lower = leadingNumber(m_rangeBoxes[band][0]->text());
    const int higher = leadingNumber(m_rangeBoxes[band][1]->text());
    const BiText *message = nullptr;
    int value = upper ? higher : lower;
    if (upper && higher > b.upper)
        message = &AlignmentText::UpperAboveBand;
    else if (upper && lower > higher)
        message = &AlignmentText::UpperBelowLower;
    else if (!upper && lower < b.lower)
        message = &AlignmentText::LowerBelowBand;
    else if (!upper && lower >= higher)
        message = &AlignmentText::LowerAboveUpper;
    if (message)
        value = upper ? b.upper : b.lower;
    edit->setText(QString::number(value));
    // The box's own digits only: the others already hold what the block holds, and a
    // value a radio brought that has no three-digit form is not rewritten.
    applyEdit(controlStep(edit), [&](Document::Contents &c) {
        setRangeLimit(c.alignment, band, upper, value);
        return true;
    });
    if (message)
        MessageBox::show(this, AlignmentText::RangeTitle.text(), message->text());
}

void AlignmentWindow::tabChosen(int tab)
{
    if (tab < 0 || tab >= TabCount)
        return;
    const TabEntry &entry = Tabs[tab];
    for (int f = 0; f < 4; ++f)
        m_frames[f]->setVisible(f == entry.frame);
    setWindowTitle(entry.caption->text(m_chinese));
    if (entry.frame == 0)
        m_frames[0]->setTitle(entry.caption->text(m_chinese));
    redisplay();
}

void AlignmentWindow::redisplay()
{
    showBindings();
    const QByteArray &d = document().alignment();
    for (int band = 0; band < 2; ++band) {
        for (int upper = 0; upper < 2; ++upper) {
            m_rangeBoxes[band][upper]->setText(QString::number(rangeLimit(d, band, upper != 0)));
            m_rangeBoxes[band][upper]->setModified(false);
        }
    }
}

void AlignmentWindow::loadDefaults(Document::Contents &contents)
{
    Table::prepareDefaults();
    contents.alignment = Table::defaults();
}

void AlignmentWindow::afterFinalFailure()
{
    emit LinkNotices::instance().transferGaveUp();
}

void AlignmentWindow::takeFileRequest()
{
    const AdjustFileRequests::Request request = AdjustFileRequests::instance().take();
    if (!request.isPending())
        return;
    QString message;
    if (request.action == AdjustFileRequests::Action::Open) {
        const bool loaded = AlignmentFiles::open(Document::instance(), request.path, &message);
        if (loaded)
            redisplay();
    } else {
        AlignmentFiles::save(document(), request.path, &message);
    }
    MessageBox::show(this, CommonText::PromptTitleCapital.text(), message);
}
