#include "signalling/twotoneeditor.h"

#include "image/memoryimage.h"
#include "platform/messagebox.h"
#include "editor/keypolicy.h"
#include "signalling/twotonearea.h"
#include "signalling/twotonedecodemodel.h"
#include "signalling/twotoneencodemodel.h"
#include "signalling/twotonetexts.h"
#include "signalling/dtmftexts.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

using namespace TwoToneArea;

EditorWindow::Setup twoToneSetup()
{
    return SignallingFrame::setup(TwoToneText::Caption,
                                  {TwoToneText::ReadDone, TwoToneText::WriteDone, TwoToneText::ReadComplete, TwoToneText::WriteComplete},
                                  TwoToneEditor::WidthDivisor, TwoToneEditor::HeightDivisor);
}

const QString ToneKeys = QStringLiteral("0123456789.");
// "no key once the trimmed text is longer than 6 characters": a seventh may still come.
constexpr int ToneBoxLength = 7;

} // namespace

TwoToneEditor::TwoToneEditor(QWidget *parent)
    : SignallingEditor(twoToneSetup(), &TwoToneArea::view, parent)
{
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->addTab(scrolling(buildEncodeTab()), TwoToneText::EncodeTab.text(m_chinese));
    m_tabs->addTab(scrolling(buildDecodeTab()), TwoToneText::DecodeTab.text(m_chinese));

    layOut(m_tabs);
    showRefusals(m_encodeModel);
    redisplay();
}

QWidget *TwoToneEditor::buildEncodeTab()
{
    auto *frame = new QGroupBox(TwoToneText::EncodeFrame.text(m_chinese));
    frame->setObjectName(QStringLiteral("Frame_encode"));
    m_encodeModel = new TwoToneEncodeModel(Document::instance(), m_chinese, this);
    m_encodeGrid = makeGrid("MSF_Encode", TwoToneText::EncodeFrame, m_encodeModel);
    fitGrid(m_encodeGrid);

    auto *lists = new QGridLayout;
    const struct
    {
        const char *name;
        const ListField &field;
    } durations[] = {{"Combo_time1", firstDuration()}, {"Combo_time2", secondDuration()}, {"Combo_time3", gap()}};
    int row = 0;
    for (const auto &d : durations) {
        QComboBox *list = makeList(d.name, d.field);
        lists->addWidget(makeLabel(*d.field.caption, list), row++, 0);
        lists->addWidget(list, row++, 0);
    }
    lists->setRowStretch(row, 1);

    auto *layout = new QHBoxLayout(frame);
    layout->addWidget(m_encodeGrid, 3);
    layout->addLayout(lists, 1);
    return frame;
}

QWidget *TwoToneEditor::buildDecodeTab()
{
    auto *frame = new QGroupBox(TwoToneText::DecodeFrame.text(m_chinese));
    frame->setObjectName(QStringLiteral("Frame_decode"));
    m_decodeModel = new TwoToneDecodeModel(Document::instance(), m_chinese, this);
    m_decodeGrid = makeGrid("MSF_Decode", TwoToneText::DecodeFrame, m_decodeModel);
    fitGrid(m_decodeGrid);
    connect(m_decodeGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &now) {
                if (now.isValid())
                    selectCode(now.row() + 1);
            });
    // Double-clicking a row's code empties its groups, on screen and in the image alike.
    connect(m_decodeGrid, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.column() != TwoToneDecodeModel::Number)
            return;
        m_decodeModel->clearRow(index.row());
        selectCode(index.row() + 1);
    });

    m_toneFrame = new QGroupBox(this);
    m_toneFrame->setObjectName(QStringLiteral("Frame_tone"));
    auto *tones = new QGridLayout(m_toneFrame);
    for (int t = 0; t < ToneCount; ++t) {
        auto *box = new QLineEdit(m_toneFrame);
        box->setObjectName(QStringLiteral("Text_tone%1").arg(QLatin1Char(char('A' + t))));
        KeyPolicy::install(box, KeyPolicy::Rule::characters(ToneKeys, ToneBoxLength));
        box->installEventFilter(this);
        // Caption and box side by side: the decode grid needs the height.
        tones->addWidget(makeLabel(TwoToneText::Tones[t], box), 0, 2 * t);
        tones->addWidget(box, 0, 2 * t + 1);
        tones->setColumnStretch(2 * t + 1, 1);
        m_toneBoxes << box;
    }

    QComboBox *reset = makeList("Combo_Res_Time", resetTime());
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_toneFrame, 3);
    auto *resetColumn = new QVBoxLayout;
    resetColumn->addStretch(1);
    resetColumn->addWidget(makeLabel(*resetTime().caption, reset));
    resetColumn->addWidget(reset);
    bottom->addLayout(resetColumn, 1);

    tones->setContentsMargins(6, 2, 6, 4);
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(6, 2, 6, 4);
    layout->setSpacing(4);
    layout->addWidget(m_decodeGrid, 1);
    layout->addLayout(bottom);
    return frame;
}

void TwoToneEditor::selectCode(int code)
{
    m_currentCode = code;
    showToneSet();
}

void TwoToneEditor::showToneSet()
{
    m_toneFrame->setTitle(TwoToneText::toneSetCaption(m_currentCode, m_chinese));
    const AreaView area = view(document().image());
    for (int t = 0; t < ToneCount; ++t) {
        m_toneBoxes[t]->setText(toneSetText(area, m_currentCode, t));
        m_toneBoxes[t]->setModified(false);
    }
}

void TwoToneEditor::leaveToneBox(int tone)
{
    QLineEdit *box = m_toneBoxes[tone];
    // Only the user's own change stores; passing through keeps the bytes as they are.
    if (!box->isModified())
        return;
    box->setModified(false);
    const ToneInput input = parseDecodeTone(box->text());
    if (input.kind == ToneInput::Kind::OutOfRange) {
        MessageBox::show(this, TwoToneText::RangeTitle.text(), TwoToneText::OutOfRange.text());
        box->clear();
        QTimer::singleShot(0, box, [box] { box->setFocus(); });
    }
    const int code = m_currentCode;
    applyImageEdit(controlStep(box), [&](MemoryImage &image) {
        AreaView area = view(image);
        storeToneSetTone(area, code, tone, input.hz);
        return true;
    });
    redisplay();
}

void TwoToneEditor::redisplay()
{
    m_encodeModel->displayAll();
    m_decodeModel->displayAll();
    showBindings();
    showToneSet();
}

void TwoToneEditor::loadDefaults(Document::Contents &contents)
{
    leaveEditedCells();
    writeDefaults(contents.image);
}

bool TwoToneEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        const int tone = m_toneBoxes.indexOf(qobject_cast<QLineEdit *>(watched));
        if (tone >= 0)
            leaveToneBox(tone);
    }
    return EditorWindow::eventFilter(watched, event);
}
