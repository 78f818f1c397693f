#include "options/optioneditor.h"

#include "image/memoryimage.h"
#include "editor/keypolicy.h"
#include "link/linknotices.h"
#include "options/optionarea.h"
#include "options/optiontexts.h"
#include "platform/messagebox.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>
#include <iterator>

using BandRecord::Band;

namespace {

// The lists' object names, in the order of the area's list fields, which is also the
// order they are shown in.
const char *const OptionListObjects[] = {
    "Combo_Tdr",    "Combo_Sql_le", "Combo_tot",    "Combo_Toa",    "Combo_Abr",    "Combo_Beep",   "Combo_Dtmfst",
    "Combo_Bcl",    "Combo_Sc_Add", "Combo_Pri_Sc", "Combo_Pri_Ch", "Combo_Sc_rev", "Combo_Ptt_id", "Combo_Ptt_lt",
    "Combo_Emc_Tp", "Combo_Emc_Ch", "Combo_ring",   "Combo_MDF_A",  "Combo_MDF_B",  "Combo_Autolk", "Combo_PonMsg",
    "Combo_wt_led", "Combo_rx_led", "Combo_tx_led", "Combo_ANI_L",  "Combo_REP_S",  "Combo_REP_M",
};

struct BandNames
{
    const char *frequency, *band, *range, *offset, *rxTone, *txTone;
    const char *lists[8]; // bytes 20 to 27, in the band record's field order
};
const BandNames BandObjectNames[2] = {
    {"Text_Freq_a", "Combo_Band_A", "Text_Range_A", "Combo_Offset_A", "Combo_r_ctdcs_a", "Combo_t_ctdcs_a",
     {"Combo_S_info_a", "Combo_Spmute_a", "Combo_Optsig_a", "Combo_Scr_a", "Combo_wn_a", "Combo_txp_a",
      "Combo_sft_d_a", "Combo_step_a"}},
    {"Text_Freq_b", "Combo_Band_B", "Text_Range_B", "Combo_offset_b", "Combo_r_ctdcs_b", "Combo_t_ctdcs_b",
     {"Combo_S_info_b", "Combo_Spmute_b", "Combo_OptSig_b", "Combo_Scr_b", "Combo_wn_b", "Combo_txp_b",
      "Combo_sft_d_b", "Combo_step_b"}},
};

constexpr int OptionColumns = 3;
constexpr int BandColumns = 2;
constexpr int FrequencyBoxLength = 9;

EditorWindow::Setup optionSetup()
{
    EditorWindow::Setup s(OptionText::Caption,
                          {OptionText::ReadDone, OptionText::WriteDone, OptionText::ReadComplete, OptionText::WriteComplete},
                          OptionEditor::WidthDivisor, OptionEditor::HeightDivisor, EditorWindow::Setup::Kind::MainWindow);
    s.pacing = Pacing::optionsTransfer();
    return s;
}

int bandIndex(Band band)
{
    return band == Band::A ? 0 : 1;
}

} // namespace

OptionEditor::OptionEditor(QWidget *parent)
    : EditorWindow(optionSetup(), parent)
{
    auto *content = new QWidget;
    auto *contentLayout = new QVBoxLayout(content);
    // The window's own margins frame the form; a second set would cost the room that
    // keeps it free of scroll bars at the size it opens with on a 1366 x 768 screen.
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->addWidget(buildOptionArea());
    auto *bands = new QHBoxLayout;
    bands->setSpacing(4);
    bands->addWidget(buildBand(Band::A));
    bands->addWidget(buildBand(Band::B));
    contentLayout->addLayout(bands);
    contentLayout->addStretch(1);

    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(content);

    QHBoxLayout *buttons = makeButtonRow({
        {Action::Read, "Command_read", OptionText::Read, &CommonText::Busy},
        {Action::Write, "Command_write", OptionText::Write, &CommonText::Busy},
        {Action::Default, "Command_def", OptionText::Default, &CommonText::Busy},
        {Action::Open, "Command_open", OptionText::Open, &CommonText::Busy},
        {Action::Save, "Command_save", OptionText::Save, &CommonText::Busy},
        {Action::Close, "Command_close", OptionText::Close, &CommonText::BusyCloseFrame},
    });

    // Room for the longest line the transfer shows, so it is never cut.
    int statusWidth = 0;
    for (const BiText *t : {&OptionText::ReadDone, &OptionText::WriteDone, &CommonText::Connecting, &CommonText::CommunicationFault})
        statusWidth = std::max(statusWidth, statusLine()->fontMetrics().horizontalAdvance(t->text(m_chinese)));
    statusLine()->setMinimumWidth(std::max(statusLine()->minimumWidth(), statusWidth + 12));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);

    redisplay();

    // The radio's limits usually arrive after the window opened (the start-up
    // identification runs on in the background); the range and the check follow them.
    // Queued, so the band limits have been adopted by then.
    connect(&LinkNotices::instance(), &LinkNotices::identified, this, [this] { showLimits(); },
            Qt::QueuedConnection);
}

void OptionEditor::addPair(QGridLayout *grid, int index, int columns, const BiText &label, QWidget *control)
{
    const int row = index / columns;
    const int column = (index % columns) * 2;
    grid->addWidget(makeLabel(label, control), row, column, Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(control, row, column + 1);
}

QComboBox *OptionEditor::makeList(const char *objectName, const QStringList &entries)
{
    auto *box = new QComboBox(this);
    box->setObjectName(QString::fromLatin1(objectName));
    box->addItems(entries);
    box->setMaxVisibleItems(16);
    // Closed, a list shows whichever entry is stored whole: as wide as its widest entry
    // (the widest are a few words; the long lists hold short numbers).
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return box;
}

QLineEdit *OptionEditor::makeText(const char *objectName)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(QString::fromLatin1(objectName));
    // Leaving a box has rules of its own (leftBox).
    box->installEventFilter(this);
    return box;
}

QComboBox *OptionEditor::addListField(const char *objectName, const FieldTable &table, const char *fieldName, int band)
{
    const ListField *field = Fields::find(table, fieldName);
    Q_ASSERT(field);
    return bindList(makeList(objectName, field->entries.list(m_chinese)), Access::list(areaOf(band), *field));
}

QWidget *OptionEditor::buildOptionArea()
{
    auto *area = new QWidget;
    auto *grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    int index = 0;
    const FieldTable &lists = OptionArea::listFields();
    Q_ASSERT(lists.size() == std::size(OptionListObjects));
    for (int k = 0; k < int(std::size(OptionListObjects)); ++k) {
        QComboBox *list = addListField(OptionListObjects[k], lists, lists[k].name, -1);
        addPair(grid, index++, OptionColumns, *lists[k].caption, list);
    }

    // The text fields below the lists, two to a row.
    auto *texts = new QGridLayout;
    m_messageUpper = makeText("Text_PON_MSG_U");
    m_messageLower = makeText("Text_PON_MSG_D");
    m_ani = makeText("Text_ANI");
    m_pttBegin = makeText("Text_PttId_Begin");
    m_pttEnd = makeText("Text_PttId_End");

    auto *lines = new QHBoxLayout;
    lines->addWidget(m_messageUpper);
    lines->addWidget(m_messageLower);
    texts->addWidget(makeLabel(OptionText::Message, m_messageUpper), 0, 0, Qt::AlignRight | Qt::AlignVCenter);
    m_messageLower->setAccessibleName(m_messageUpper->accessibleName() + QStringLiteral(" 2"));
    texts->addLayout(lines, 0, 1);
    texts->addWidget(makeLabel(OptionText::Ani, m_ani), 0, 2, Qt::AlignRight | Qt::AlignVCenter);
    texts->addWidget(m_ani, 0, 3);
    texts->addWidget(makeLabel(OptionText::PttIdBegin, m_pttBegin), 1, 0, Qt::AlignRight | Qt::AlignVCenter);
    texts->addWidget(m_pttBegin, 1, 1);
    texts->addWidget(makeLabel(OptionText::PttIdEnd, m_pttEnd), 1, 2, Qt::AlignRight | Qt::AlignVCenter);
    texts->addWidget(m_pttEnd, 1, 3);
    grid->addLayout(texts, (index + OptionColumns - 1) / OptionColumns, 0, 1, OptionColumns * 2);

    // Lines of power-on message, and rows of DTMF digits.
    for (auto [box, offset] : {std::pair{m_messageUpper, OptionArea::Offset::messageUpper},
                               std::pair{m_messageLower, OptionArea::Offset::messageLower}}) {
        bindText(box, Access::text(areaOf(-1), offset, &OptionArea::messageLine, &OptionArea::setMessageLine),
                 KeyPolicy::Rule::upTo(OptionArea::MessageLength));
    }
    for (auto [box, offset] : {std::pair{m_ani, OptionArea::Offset::ani}, std::pair{m_pttBegin, OptionArea::Offset::pttIdBegin},
                               std::pair{m_pttEnd, OptionArea::Offset::pttIdEnd}}) {
        bindText(box, Access::text(areaOf(-1), offset, &OptionArea::digitRow, &OptionArea::setDigitRow),
                 KeyPolicy::Rule::upTo(OptionArea::DigitRowLength));
    }
    return area;
}

QWidget *OptionEditor::buildBand(Band band)
{
    const BandNames &names = BandObjectNames[bandIndex(band)];
    BandControls &c = m_bands[bandIndex(band)];
    auto *frame = new QGroupBox((band == Band::A ? OptionText::FrameA : OptionText::FrameB).text(m_chinese), this);
    frame->setObjectName(QString::fromLatin1(band == Band::A ? "Frame_A" : "Frame_B"));
    auto *grid = new QGridLayout(frame);
    // The two band frames stand side by side: narrow margins leave their lists the room
    // to show their widest entries.
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setHorizontalSpacing(4);

    c.frequency = makeText(names.frequency);
    // Digits while the text holds at most 8 characters; a point anywhere but first.
    KeyPolicy::Rule frequencyKeys = KeyPolicy::Rule::upTo(FrequencyBoxLength);
    frequencyKeys.allowed = QStringLiteral("0123456789.");
    frequencyKeys.notFirst = frequencyKeys.unlimited = QStringLiteral(".");
    KeyPolicy::install(c.frequency, frequencyKeys);
    c.band = makeList(names.band, {QString::fromLatin1(OptionText::BandNames[0]), QString::fromLatin1(OptionText::BandNames[1])});
    c.range = makeText(names.range);
    c.range->setReadOnly(true);
    c.range->setFocusPolicy(Qt::NoFocus);
    c.offset = makeList(names.offset, BandRecord::offsetEntries());
    c.rxTone = makeList(names.rxTone, BandRecord::toneEntries(m_chinese));
    c.txTone = makeList(names.txTone, BandRecord::toneEntries(m_chinese));

    int index = 0;
    addPair(grid, index++, BandColumns, OptionText::Frequency, c.frequency);
    addPair(grid, index++, BandColumns, OptionText::Band, c.band);
    // The range reads whole across the frame; the offset keeps its column, a row lower.
    grid->addWidget(makeLabel(OptionText::Range, c.range), index / BandColumns, 0, Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(c.range, index / BandColumns, 1, 1, 2 * BandColumns - 1);
    index += BandColumns + 1;
    addPair(grid, index++, BandColumns, OptionText::Offset, c.offset);
    addPair(grid, index++, BandColumns, OptionText::RxTone, c.rxTone);
    addPair(grid, index++, BandColumns, OptionText::TxTone, c.txTone);
    const FieldTable &table = BandRecord::listFields();
    Q_ASSERT(table.size() == std::size(names.lists));
    for (int k = 0; k < int(std::size(names.lists)); ++k) {
        QComboBox *list = addListField(names.lists[k], table, table[k].name, int(band));
        addPair(grid, index++, BandColumns, *table[k].caption, list);
    }

    connect(c.frequency, &QLineEdit::textEdited, this, [this, band](const QString &text) { frequencyEdited(band, text); });
    connect(c.band, qOverload<int>(&QComboBox::activated), this, [this, band](int position) { chooseBand(band, position); });
    bindList(c.offset, Access::number(
                           areaOf(int(band)), &BandRecord::offsetPosition, [](AreaView &record, int position) {
                               BandRecord::setOffsetPosition(record, position);
                               return true;
                           }));
    for (auto [box, offset] : {std::pair{c.rxTone, BandRecord::Offset::rxTone}, std::pair{c.txTone, BandRecord::Offset::txTone}}) {
        const int at = offset;
        const Access::AreaOf record = areaOf(int(band));
        bindList(box,
                 Access::number(
                     record, [at](const AreaView &r) { return BandRecord::tonePosition(r, at); },
                     [at](AreaView &r, int position) {
                         BandRecord::setTonePosition(r, at, position);
                         return true;
                     }),
                 // A CTCSS value between the table's tones shows as its value, no entry chosen.
                 [record, at](const Document::Contents &c) {
                     return BandRecord::toneText(record(const_cast<MemoryImage &>(c.image)), at);
                 });
    }
    return frame;
}

AreaView OptionEditor::areaOf(MemoryImage &image, int band)
{
    return band < 0 ? OptionArea::view(image) : BandRecord::view(image, Band(band));
}

Access::AreaOf OptionEditor::areaOf(int band)
{
    return [band](MemoryImage &image) { return areaOf(image, band); };
}

const AreaView OptionEditor::recordOf(Band band) const
{
    return areaOf(const_cast<MemoryImage &>(document().image()), int(band));
}

BandRecord::Limits OptionEditor::limits(Band band) const
{
    return m_bands[bandIndex(band)].limits;
}

void OptionEditor::redisplay()
{
    showBindings();
    for (Band band : {Band::A, Band::B}) {
        BandControls &c = m_bands[bandIndex(band)];
        const AreaView record = recordOf(band);
        c.frequency->setText(BandRecord::frequencyText(record));
        c.band->setCurrentIndex(BandRecord::isVhf(record) ? 0 : 1);
        showLimits(band);
    }
}

void OptionEditor::showLimits(Band band)
{
    // The limits follow the band shown, so the frequency check judges by them; showing
    // them changes no frequency.
    BandControls &c = m_bands[bandIndex(band)];
    c.limits = c.band->currentIndex() == 0 ? BandRecord::vhfLimits() : BandRecord::uhfLimits();
    c.range->setText(BandRecord::rangeText(c.limits));
}

void OptionEditor::showLimits()
{
    showLimits(Band::A);
    showLimits(Band::B);
}

void OptionEditor::loadDefaults(Document::Contents &contents)
{
    setStatus(QString());
    OptionArea::writeDefaults(contents.image);
}

void OptionEditor::chooseBand(Band band, int position)
{
    BandControls &c = m_bands[bandIndex(band)];
    c.limits = position == 0 ? BandRecord::vhfLimits() : BandRecord::uhfLimits();
    c.frequency->setText(BandRecord::frequencyForBand(c.frequency->text(), c.limits));
    c.range->setText(BandRecord::rangeText(c.limits));
    checkFrequency(band);
}

void OptionEditor::checkFrequency(Band band)
{
    BandControls &c = m_bands[bandIndex(band)];
    const BandRecord::CheckedFrequency checked = BandRecord::checkFrequency(c.frequency->text(), c.limits);
    if (checked.outOfRange)
        showMessage(CommonText::PromptTitle.text(true), QString::fromUtf8(OptionText::FrequencyOutOfBand));
    c.frequency->setText(checked.text);
    applyImageEdit(controlStep(c.frequency), [&](MemoryImage &image) {
        AreaView record = areaOf(image, int(band));
        BandRecord::storeFrequency(record, checked.text);
        return true;
    });
    redisplay();
}

void OptionEditor::frequencyEdited(Band band, const QString &text)
{
    if (text.size() <= FrequencyBoxLength)
        return;
    QLineEdit *box = m_bands[bandIndex(band)].frequency;
    showMessage(CommonText::PromptTitle.text(), OptionText::FrequencyTooLong.text());
    box->clear();
    box->setModified(true);
    keepFocus(box);
}

void OptionEditor::leftBox(QLineEdit *box)
{
    for (Band band : {Band::A, Band::B}) {
        if (box == m_bands[bandIndex(band)].frequency) {
            // Passing through the box checks nothing: only a typed frequency is judged.
            if (box->isModified())
                checkFrequency(band);
            return;
        }
    }
    if (box == m_messageUpper || box == m_messageLower) {
        // Shows what was stored: upper case, centred and trimmed.
        redisplay();
        return;
    }
    if (box == m_ani && box->isModified()) {
        const OptionArea::AniCheck check = OptionArea::checkAni(box->text());
        if (check == OptionArea::AniCheck::Passed)
            return;
        const BiText &text = check == OptionArea::AniCheck::Length ? OptionText::AniLengthWrong : OptionText::AniRangeWrong;
        showMessage(CommonText::PromptTitleCapital.text(), text.text());
        keepFocus(box);
    }
}

void OptionEditor::keepFocus(QLineEdit *box)
{
    // After the focus change under way has finished.
    QTimer::singleShot(0, box, [box] { box->setFocus(Qt::OtherFocusReason); });
}

void OptionEditor::showMessage(const QString &title, const QString &text)
{
    m_inMessage = true;
    MessageBox::show(this, title, text);
    m_inMessage = false;
}

bool OptionEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        auto *box = qobject_cast<QLineEdit *>(watched);
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        // Another window coming up (a message, a menu) is no leaving of the box.
        if (box && !m_inMessage && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            leftBox(box);
    }
    return EditorWindow::eventFilter(watched, event);
}
