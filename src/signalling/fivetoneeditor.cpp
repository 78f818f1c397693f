#include "signalling/fivetoneeditor.h"

#include "image/memoryimage.h"
#include "platform/messagebox.h"
#include "signalling/dtmftexts.h"
#include "signalling/fivetonearea.h"
#include "signalling/fivetonedecodemodel.h"
#include "signalling/fivetonedecodetable.h"
#include "signalling/fivetoneencodemodel.h"
#include "signalling/fivetonestandards.h"
#include "signalling/fivetonestandardsmodel.h"
#include "signalling/fivetonetexts.h"
#include "editor/keypolicy.h"
#include "signalling/signallinglists.h"
#include "signalling/twotonetexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

using namespace FiveToneArea;
using O = FiveToneArea::Offset;

EditorWindow::Setup fiveToneSetup()
{
    return SignallingFrame::setup(FiveToneText::Caption,
                                  {FiveToneText::ReadDone, FiveToneText::WriteDone, FiveToneText::ReadComplete, FiveToneText::WriteComplete},
                                  FiveToneEditor::WidthDivisor, FiveToneEditor::HeightDivisor);
}

// A reply setting of the decode table, which keeps its own byte form.
template <typename T>
FieldAccess<T> decodeSetting(T FiveToneDecodeTable::*member)
{
    return {[member](const Document::Contents &c) { return FiveToneDecodeTable::fromBytes(c.fiveToneDecode).*member; },
            [member](Document::Contents &c, const T &value) {
                FiveToneDecodeTable table = FiveToneDecodeTable::fromBytes(c.fiveToneDecode);
                table.*member = value;
                c.fiveToneDecode = table.toBytes();
                return true;
            }};
}

QString frequencyText(int standard, int digit)
{
    const int deciHz = FiveToneStandards::toneDeciHz(standard, digit);
    return QStringLiteral("%1.%2").arg(deciHz / 10).arg(deciHz % 10);
}

} // namespace

FiveToneEditor::FiveToneEditor(QWidget *parent)
    : SignallingEditor(fiveToneSetup(), &FiveToneArea::view, parent)
{
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->addTab(scrolling(buildStandardsTab()), FiveToneText::StandardTab.text(m_chinese));
    m_tabs->addTab(scrolling(buildEncodeTab()), FiveToneText::EncodeTab.text(m_chinese));
    m_tabs->addTab(scrolling(buildDecodeTab()), FiveToneText::DecodeTab.text(m_chinese));

    layOut(m_tabs);
    showRefusals(m_encodeModel);
    showRefusals(m_decodeModel);
    showStandard(0);
    redisplay();
}

QWidget *FiveToneEditor::buildStandardsTab()
{
    auto *frame = new QGroupBox(FiveToneText::StandardFrame.text(m_chinese));
    frame->setObjectName(QStringLiteral("Frame_standard"));
    m_standardsModel = new FiveToneStandardsModel(Document::instance(), m_chinese, this);
    m_standardsGrid = makeGrid("MSF_Standard", FiveToneText::StandardFrame, m_standardsModel);
    fitGrid(m_standardsGrid);
    connect(m_standardsGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &now) {
                if (now.isValid())
                    showStandard(now.row());
            });

    m_standardName = new QComboBox(this);
    m_standardName->setObjectName(QStringLiteral("Combo_stxh"));
    m_standardName->addItems(standardNames());
    KeyPolicy::selectOnly(m_standardName);
    connect(m_standardName, &QComboBox::activated, this, &FiveToneEditor::showStandard);

    auto *tones = new QGridLayout;
    tones->addWidget(makeLabel(FiveToneText::StandardName, m_standardName), 0, 0, 1, 2);
    tones->addWidget(m_standardName, 0, 2, 1, 2);
    for (int d = 0; d < FiveToneStandards::Digits; ++d) {
        auto *digit = new QLabel(QStringLiteral("%1 :").arg(hexDigits().at(d)), this);
        auto *value = new QLabel(this);
        value->setObjectName(QStringLiteral("Label_freq%1").arg(d));
        value->setFrameShape(QFrame::StyledPanel);
        value->setMinimumWidth(70);
        value->setAlignment(Qt::AlignCenter);
        const int row = 1 + d % 8;
        const int column = d / 8 * 2;
        tones->addWidget(digit, row, column, Qt::AlignRight);
        tones->addWidget(value, row, column + 1);
        m_frequencies << value;
    }
    tones->setRowStretch(9, 1);

    auto *layout = new QHBoxLayout(frame);
    layout->addWidget(m_standardsGrid, 3);
    layout->addLayout(tones, 2);
    return frame;
}

QWidget *FiveToneEditor::buildEncodeTab()
{
    auto *frame = new QGroupBox(FiveToneText::EncodeFrame.text(m_chinese));
    frame->setObjectName(QStringLiteral("Frame_encode"));
    m_encodeModel = new FiveToneEncodeModel(Document::instance(), m_chinese, this);
    m_encodeGrid = makeGrid("MSF_Encode", FiveToneText::EncodeFrame, m_encodeModel);
    fitGrid(m_encodeGrid);

    auto *delays = new QVBoxLayout;
    for (int k = 0; k < 4; ++k) {
        QComboBox *combo = makeList(QStringLiteral("Combo_Delay%1").arg(k + 1), delay(k));
        delays->addWidget(makeLabel(*delay(k).caption, combo));
        delays->addWidget(combo);
    }
    delays->addStretch(1);

    auto *layout = new QHBoxLayout(frame);
    layout->addWidget(m_encodeGrid, 3);
    layout->addLayout(delays, 1);
    return frame;
}

// One row of three check boxes, one per frame, beside its caption: a titled frame of its
// own would cost the height the decode grid needs.
QWidget *FiveToneEditor::makeFrameChecks(const char *objectName, const char *boxName, int offset)
{
    auto *checks = new QWidget(this);
    checks->setObjectName(QString::fromLatin1(objectName));
    auto *row = new QHBoxLayout(checks);
    row->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < FrameCount; ++i) {
        row->addWidget(makeBitBox(QString::fromLatin1(boxName).arg(i), &FiveToneText::FrameChecks[i],
                                  offset, uint8_t(1u << i), checks));
    }
    return checks;
}

QWidget *FiveToneEditor::buildFunctionPanel()
{
    m_functionPanel = new QGroupBox(this);
    m_functionPanel->setObjectName(QStringLiteral("Frame_function"));
    auto *grid = new QGridLayout(m_functionPanel);
    for (int k = 0; k < FiveToneDecodeTable::FlagCount; ++k)
        grid->addWidget(new QLabel(FiveToneText::FunctionLabels[k].text(m_chinese), m_functionPanel), 0, 1 + k,
                        Qt::AlignCenter);
    for (int k = 0; k < FiveToneDecodeTable::OptionCount; ++k)
        grid->addWidget(new QLabel(QString::number(k + 1), m_functionPanel), 0, 5 + k, Qt::AlignCenter);
    for (int f = 0; f < FrameCount; ++f) {
        grid->addWidget(new QLabel(FiveToneText::FunctionRows[f].text(m_chinese), m_functionPanel), 1 + f, 0);
        QVector<QCheckBox *> boxes;
        for (int k = 0; k < FiveToneDecodeTable::FlagCount + FiveToneDecodeTable::OptionCount; ++k) {
            auto *box = new QCheckBox(m_functionPanel);
            box->setObjectName(QStringLiteral("Check_Fun%1_%2").arg(f).arg(k));
            const QString what = k < FiveToneDecodeTable::FlagCount
                                     ? FiveToneText::FunctionLabels[k].text(m_chinese)
                                     : FiveToneText::Option.text(m_chinese).arg(k - FiveToneDecodeTable::FlagCount + 1);
            box->setAccessibleName(FiveToneText::FunctionRows[f].text(m_chinese) + QLatin1Char(' ') + what);
            connect(box, &QCheckBox::clicked, this, [this, f] { storeFunctions(f); });
            grid->addWidget(box, 1 + f, 1 + k, Qt::AlignCenter);
            boxes << box;
        }
        m_functionBoxes << boxes;
    }
    return m_functionPanel;
}

QWidget *FiveToneEditor::buildDecodeTab()
{
    auto *frame = new QGroupBox(FiveToneText::DecodeFrame.text(m_chinese));
    frame->setObjectName(QStringLiteral("Frame_decode"));
    m_decodeModel = new FiveToneDecodeModel(Document::instance(), m_chinese, this);
    m_decodeGrid = makeGrid("MSF_Decode", FiveToneText::DecodeFrame, m_decodeModel);
    // Below the grid sit the function panel and seven rows of settings; on a 1366 x 768
    // screen the window's share leaves the grid about half its rows, so it scrolls
    // through them (and only it: the settings stay in sight). Larger screens show all.
    fitGrid(m_decodeGrid, 5);
    connect(m_decodeGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &now) {
                if (now.isValid())
                    selectDecodeCode(now.row() + 1);
            });

    // The decode settings stored in the image.
    auto *settings = new QGridLayout;
    QComboBox *standard = makeList(QStringLiteral("Combo_Dec_Std"), decodeStandard());
    settings->addWidget(makeLabel(*decodeStandard().caption, standard), 0, 0);
    settings->addWidget(standard, 0, 1);
    QComboBox *reset = makeList(QStringLiteral("Combo_Dec_Res_Time"), resetTime());
    settings->addWidget(makeLabel(*resetTime().caption, reset), 1, 0);
    settings->addWidget(reset, 1, 1);
    QWidget *call = makeFrameChecks("Frame_call", "Check_Call%1", O::callFrames);
    settings->addWidget(makeLabel(FiveToneText::CallFrames, call), 2, 0);
    settings->addWidget(call, 2, 1);
    QWidget *display = makeFrameChecks("Frame_disp", "Check_Disp%1", O::displayFrames);
    settings->addWidget(makeLabel(FiveToneText::DisplayFrames, display), 3, 0);
    settings->addWidget(display, 3, 1);

    // The reply settings kept with the decode codes, outside the image.
    auto *replyAll = new QCheckBox(FiveToneText::ReplyAfterAll.text(m_chinese), this);
    replyAll->setObjectName(QStringLiteral("Check_Reply_All"));
    bindCheck(replyAll, decodeSetting(&FiveToneDecodeTable::replyAfterAllFrames), &FiveToneText::ReplyAfterAll);
    auto *replyIdle = new QCheckBox(FiveToneText::ReplyWhenIdle.text(m_chinese), this);
    replyIdle->setObjectName(QStringLiteral("Check_Reply_Idle"));
    bindCheck(replyIdle, decodeSetting(&FiveToneDecodeTable::replyWhenIdle), &FiveToneText::ReplyWhenIdle);
    auto *replyDelay = new QComboBox(this);
    replyDelay->setObjectName(QStringLiteral("Combo_Reply_Delay"));
    replyDelay->addItems(SignallingLists::steps(500, 100, 21));
    bindList(replyDelay, decodeSetting(&FiveToneDecodeTable::replyDelay));
    settings->addWidget(replyAll, 4, 0, 1, 2);
    settings->addWidget(replyIdle, 5, 0, 1, 2);
    settings->addWidget(makeLabel(FiveToneText::ReplyDelay, replyDelay), 6, 0);
    settings->addWidget(replyDelay, 6, 1);
    settings->setRowStretch(7, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(buildFunctionPanel(), 3);
    bottom->addLayout(settings, 2);

    // The grid takes the height the panel and the settings leave.
    m_functionPanel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto *layout = new QVBoxLayout(frame);
    layout->addWidget(m_decodeGrid, 1);
    layout->addLayout(bottom, 0);
    return frame;
}

void FiveToneEditor::showStandard(int standard)
{
    m_standardName->setCurrentIndex(standard);
    for (int d = 0; d < FiveToneStandards::Digits; ++d)
        m_frequencies[d]->setText(frequencyText(standard, d));
}

void FiveToneEditor::selectDecodeCode(int code)
{
    m_currentCode = code;
    showFunctions();
}

void FiveToneEditor::showFunctions()
{
    m_functionPanel->setTitle(FiveToneText::functionCaption(m_currentCode, m_chinese));
    const FiveToneDecodeTable::Code &code = m_decodeModel->table().code(m_currentCode);
    for (int f = 0; f < FrameCount; ++f) {
        const uint8_t flags = code.functions[2 * f];
        const uint8_t options = code.functions[2 * f + 1];
        for (int k = 0; k < FiveToneDecodeTable::FlagCount; ++k)
            m_functionBoxes[f][k]->setChecked(flags & (1u << k));
        for (int k = 0; k < FiveToneDecodeTable::OptionCount; ++k)
            m_functionBoxes[f][FiveToneDecodeTable::FlagCount + k]->setChecked(options & (1u << k));
    }
}

void FiveToneEditor::storeFunctions(int frame)
{
    // Each click composes both bytes of the frame afresh from its boxes.
    uint8_t flags = 0;
    uint8_t options = 0;
    for (int k = 0; k < FiveToneDecodeTable::FlagCount; ++k)
        flags |= m_functionBoxes[frame][k]->isChecked() ? uint8_t(1u << k) : 0;
    for (int k = 0; k < FiveToneDecodeTable::OptionCount; ++k)
        options |= m_functionBoxes[frame][FiveToneDecodeTable::FlagCount + k]->isChecked() ? uint8_t(1u << k) : 0;
    const int n = m_currentCode;
    editDecodeTable(StepLabel(FiveToneText::functionCaption(n, false), FiveToneText::functionCaption(n, true)),
                    [n, frame, flags, options](FiveToneDecodeTable &t) {
                        t.code(n).functions[2 * frame] = flags;
                        t.code(n).functions[2 * frame + 1] = options;
                    });
}

void FiveToneEditor::editDecodeTable(const StepLabel &what, const std::function<void(FiveToneDecodeTable &)> &edit)
{
    applyEdit(stepLabel(what), [&](Document::Contents &contents) {
        FiveToneDecodeTable table = FiveToneDecodeTable::fromBytes(contents.fiveToneDecode);
        edit(table);
        contents.fiveToneDecode = table.toBytes();
        return true;
    });
}

bool FiveToneEditor::shows(const DocumentRanges &ranges) const
{
    return touchesPart(ranges, DocumentRange::Part::FiveToneDecode) || SignallingEditor::shows(ranges);
}

void FiveToneEditor::redisplay()
{
    m_standardsModel->displayAll();
    m_encodeModel->displayAll();
    m_decodeModel->displayAll();
    showBindings();
    showFunctions();
}

void FiveToneEditor::loadDefaults(Document::Contents &contents)
{
    leaveEditedCells();
    writeDefaults(contents.image);
}
