#include "signalling/dtmfeditor.h"

#include "image/digitcodes.h"
#include "signalling/dtmfarea.h"
#include "signalling/dtmftexts.h"
#include "editor/keypolicy.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

using O = DtmfArea::Offset;

const QString DtmfKeys = QStringLiteral("0123456789ABCDabcd*#");

EditorWindow::Setup dtmfSetup()
{
    return SignallingFrame::setup(DtmfText::Caption,
                                  {DtmfText::ReadDone, DtmfText::WriteDone, DtmfText::ReadComplete, DtmfText::WriteComplete},
                                  DtmfEditor::WidthDivisor, DtmfEditor::HeightDivisor);
}

// The rights caption names the five rights in bit order; the English one staggers them
// over two lines (first, third and fifth above, second and fourth below).
QStringList rightsHeaders(const QString &caption)
{
    QVector<QStringList> lines;
    for (const QString &line : caption.split(QLatin1Char('\n')))
        lines << line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList headers;
    for (int i = 0; headers.size() < DtmfArea::RightsCount; ++i) {
        const QStringList &line = lines.at(i % lines.size());
        const int at = lines.size() > 1 ? i / int(lines.size()) : i;
        if (at >= line.size())
            break;
        headers << line.at(at);
    }
    return headers;
}

} // namespace

DtmfEditor::DtmfEditor(QWidget *parent)
    : SignallingEditor(dtmfSetup(), &DtmfArea::view, parent)
{
    // Two columns of about the same height, so that the window fits the share of the
    // main window it opens with on a 1366 x 768 screen without scrolling.
    auto *left = new QVBoxLayout;
    left->addWidget(buildEncodeFrame());
    left->addWidget(buildStateFrame());
    left->addStretch(1);
    auto *right = new QVBoxLayout;
    right->addWidget(buildDecodeFrame());
    right->addWidget(buildControlFrame());
    right->addStretch(1);

    auto *columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);

    auto *body = new QWidget;
    body->setLayout(columns);
    layOut(scrolling(body));

    redisplay();
}

QWidget *DtmfEditor::buildEncodeFrame()
{
    auto *frame = new QGroupBox(DtmfText::EncodeFrame.text(m_chinese), this);
    frame->setObjectName(QStringLiteral("Frame_encode"));
    auto *grid = new QGridLayout(frame);
    grid->setVerticalSpacing(2);
    // The codes in two halves side by side, each under its own column captions.
    constexpr int PerColumn = (DtmfArea::EncodeCount + 1) / 2;
    for (int half = 0; half < 2; ++half) {
        grid->addWidget(new QLabel(DtmfText::NumberColumn.text(m_chinese), frame), 0, 2 * half);
        grid->addWidget(new QLabel(DtmfText::CodeColumn.text(m_chinese), frame), 0, 2 * half + 1);
    }
    for (int n = 1; n <= DtmfArea::EncodeCount; ++n) {
        QLineEdit *box = makeDigitBox(QStringLiteral("Text_tx_Encode%1").arg(n - 1), O::encode(n));
        auto *number = new QLabel(QString::number(n), frame);
        number->setObjectName(QStringLiteral("Label_no%1").arg(n - 1));
        box->setAccessibleName(DtmfText::EncodeCode.text(m_chinese).arg(n));
        const int half = (n - 1) / PerColumn;
        const int line = 1 + (n - 1) % PerColumn;
        grid->addWidget(number, line, 2 * half, Qt::AlignCenter);
        grid->addWidget(box, line, 2 * half + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    int row = PerColumn + 1;
    const struct
    {
        const char *name;
        const ListField &field;
    } times[] = {{"Combo_Enc_ys1", DtmfArea::onTime()}, {"Combo_Enc_ys2", DtmfArea::offTime()}};
    for (const auto &t : times) {
        QComboBox *list = makeList(t.name, t.field);
        grid->addWidget(makeLabel(*t.field.caption, list), row, 0, 1, 2);
        grid->addWidget(list, row++, 2, 1, 2);
    }
    QComboBox *group = makeCodeList("Combo_Dec_qh", O::groupCode);
    grid->addWidget(makeLabel(DtmfText::GroupCode, group), row, 0, 1, 2);
    grid->addWidget(group, row++, 2, 1, 2);
    grid->setRowStretch(row, 1);
    return frame;
}

QWidget *DtmfEditor::buildDecodeFrame()
{
    auto *frame = new QGroupBox(DtmfText::DecodeFrame.text(m_chinese), this);
    frame->setObjectName(QStringLiteral("Frame_decode"));
    auto *grid = new QGridLayout(frame);
    grid->setVerticalSpacing(2);
    const struct
    {
        const char *name;
        int offset;
    } codes[] = {{"Text_XC", O::inspection}, {"Text_JT", O::monitor}, {"Text_BJ", O::alarm},
                 {"Text_YY", O::stun},       {"Text_YB", O::kill},    {"Text_KJ", O::revive}};
    int row = 0;
    for (const auto &c : codes) {
        QLineEdit *box = makeDigitBox(QString::fromLatin1(c.name), c.offset);
        grid->addWidget(makeLabel(DtmfArea::rowCaption(c.offset), box), row, 0);
        grid->addWidget(box, row++, 1);
    }
    QComboBox *space = makeCodeList("Combo_Dec_Space_Code", O::spaceCode);
    grid->addWidget(makeLabel(DtmfText::SpaceCode, space), row, 0);
    grid->addWidget(space, row++, 1);
    QComboBox *delay = makeList("Combo_Dec_Proc_Ys", DtmfArea::delayProcessing());
    grid->addWidget(makeLabel(*DtmfArea::delayProcessing().caption, delay), row, 0);
    grid->addWidget(delay, row++, 1);
    QComboBox *reset = makeList("Combo_Dec_Res_Time", DtmfArea::resetTime());
    grid->addWidget(makeLabel(*DtmfArea::resetTime().caption, reset), row, 0);
    grid->addWidget(reset, row++, 1);
    return frame;
}

QWidget *DtmfEditor::buildControlFrame()
{
    auto *frame = new QGroupBox(DtmfText::ControlFrame.text(m_chinese), this);
    frame->setObjectName(QStringLiteral("Frame_control"));
    auto *grid = new QGridLayout(frame);

    m_control = new QCheckBox(DtmfText::ControlCheck.text(m_chinese), frame);
    m_control->setObjectName(QStringLiteral("Check_Ctrl_En"));
    // The whole byte: 1 when on, 0 when off; any other value shows as on.
    bindCheck(m_control, Access::bits(area(), O::control, 0xFF, 1), &DtmfText::ControlCheck);
    connect(m_control, &QCheckBox::toggled, this, &DtmfEditor::enableControlled);
    grid->addWidget(m_control, 0, 0, 1, 3);

    // One header over each rights column, in bit order.
    const QStringList rights = rightsHeaders(DtmfText::RightsLabels.text(m_chinese));
    for (int i = 0; i < rights.size() && i < DtmfArea::RightsCount; ++i) {
        auto *header = new QLabel(rights.at(i), frame);
        header->setObjectName(QStringLiteral("Label_rights%1").arg(i));
        grid->addWidget(header, 1, 2 + i, Qt::AlignHCenter | Qt::AlignBottom);
    }

    const struct
    {
        const char *idName;
        int idOffset;
        const char *rightsName;
        const BiText *rightName;
        int rightsOffset;
    } ids[] = {{"Text_MID", O::masterId, "Check_M%1", &DtmfText::MasterRight, O::masterRights},
               {"Text_SID", O::viceId, "Check_S%1", &DtmfText::ViceRight, O::viceRights}};
    int row = 2;
    for (const auto &id : ids) {
        QLineEdit *box = makeDigitBox(QString::fromLatin1(id.idName), id.idOffset);
        grid->addWidget(makeLabel(DtmfArea::rowCaption(id.idOffset), box), row, 0);
        grid->addWidget(box, row, 1);
        m_controlled << box;
        for (int i = 0; i < DtmfArea::RightsCount; ++i) {
            QCheckBox *check = makeBitBox(QString::fromLatin1(id.rightsName).arg(i), nullptr, id.rightsOffset,
                                          uint8_t(1u << i));
            check->setAccessibleName(id.rightName->text(m_chinese).arg(i + 1));
            nameStep(check, StepLabel(id.rightName->text(false).arg(i + 1), id.rightName->text(true).arg(i + 1)));
            grid->addWidget(check, row, 2 + i, Qt::AlignHCenter);
            m_controlled << check;
        }
        ++row;
    }
    grid->setColumnStretch(1, 1);
    grid->setVerticalSpacing(2);
    return frame;
}

QWidget *DtmfEditor::buildStateFrame()
{
    auto *frame = new QGroupBox(DtmfText::StateFrame.text(m_chinese), this);
    frame->setObjectName(QStringLiteral("Frame_state"));
    auto *row = new QHBoxLayout(frame);
    row->addWidget(makeBitBox(QStringLiteral("Check_RX"), &DtmfText::RxDisable, O::state,
                              DtmfArea::RxDisableBit));
    row->addWidget(makeBitBox(QStringLiteral("Check_Tx"), &DtmfText::TxDisable, O::state,
                              DtmfArea::TxDisableBit));
    row->addStretch(1);
    return frame;
}

QLineEdit *DtmfEditor::makeDigitBox(const QString &objectName, int offset)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(objectName);
    bindText(box, Access::text(area(), offset, &DtmfArea::digits, &DtmfArea::storeDigits),
             KeyPolicy::Rule::characters(DtmfKeys, DtmfArea::DigitsPerRow));
    box->installEventFilter(this);
    return box;
}

QComboBox *DtmfEditor::makeCodeList(const char *objectName, int offset)
{
    auto *combo = new QComboBox(this);
    combo->setObjectName(QString::fromLatin1(objectName));
    combo->addItems(DtmfArea::codeKeys());
    // The list shows keys; the byte holds the key's DTMF digit code.
    return bindList(combo, Access::number(
                               area(), [offset](const AreaView &a) { return DtmfArea::codeKeyPosition(a.byte(offset)); },
                               [offset](AreaView &a, int position) {
                                   a.setByte(offset, dtmfDigitToCode(DtmfArea::codeKeys().at(position).at(0)));
                                   return true;
                               }));
}

void DtmfEditor::enableControlled(bool on)
{
    for (QWidget *w : m_controlled)
        w->setEnabled(on);
}

void DtmfEditor::redisplay()
{
    showBindings();
    // Off as well as on: a box that already shows the stored state sends no toggle.
    enableControlled(m_control->isChecked());
}

void DtmfEditor::loadDefaults(Document::Contents &contents)
{
    DtmfArea::writeDefaults(contents.image);
}

bool DtmfEditor::eventFilter(QObject *watched, QEvent *event)
{
    // Leaving a digit box shows what was stored: characters without a code vanish and
    // a-d read A-D.
    if (event->type() == QEvent::FocusOut && qobject_cast<QLineEdit *>(watched))
        redisplay();
    return EditorWindow::eventFilter(watched, event);
}
