#include "signalling/signallingframe.h"

#include "image/areaview.h"
#include "image/fieldtable.h"
#include "signalling/dtmftexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>

namespace SignallingFrame {

EditorWindow::Setup setup(const BiText &caption, const EditorWindow::Texts &texts, double widthDivisor,
                          double heightDivisor)
{
    EditorWindow::Setup s(caption, texts, widthDivisor, heightDivisor, EditorWindow::Setup::Kind::MainWindow);
    s.refreshOnActivation = false;
    return s;
}

const QVector<EditorWindow::Button> &buttons()
{
    using Action = EditorWindow::Action;
    static const QVector<EditorWindow::Button> row{
        {Action::Read, "Command_read", DtmfText::Read, &CommonText::Busy},
        {Action::Write, "Command_write", DtmfText::Write, &CommonText::Busy},
        {Action::Default, "Command_def", DtmfText::Default, &CommonText::Busy},
        {Action::Save, "Command_save", DtmfText::Save, &CommonText::Busy},
        {Action::Open, "Command_open", DtmfText::Open, &CommonText::Busy},
        {Action::Close, "Command_close", DtmfText::Close, &CommonText::Busy},
    };
    return row;
}

} // namespace SignallingFrame

SignallingEditor::SignallingEditor(const Setup &setup, AreaOf area, QWidget *parent)
    : EditorWindow(setup, parent)
    , m_area(area)
{
}

void SignallingEditor::layOut(QWidget *content)
{
    QHBoxLayout *buttons = makeButtonRow(SignallingFrame::buttons());
    auto *layout = new QVBoxLayout(this);
    // Tight margins: these windows open at a small share of the main window.
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(content, 1);
    layout->addLayout(buttons);
}

QWidget *SignallingEditor::scrolling(QWidget *page)
{
    auto *scroll = new QScrollArea;
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    return scroll;
}

QComboBox *SignallingEditor::makeList(const QString &objectName, const ListField &field)
{
    auto *combo = new QComboBox(this);
    combo->setObjectName(objectName);
    combo->addItems(field.entries.list(m_chinese));
    return bindList(combo, Access::list(m_area, field));
}

QCheckBox *SignallingEditor::makeBitBox(const QString &objectName, const BiText *caption, int offset, uint8_t bit,
                                        QWidget *parent)
{
    auto *box = new QCheckBox(caption ? caption->text(m_chinese) : QString(), parent ? parent : this);
    box->setObjectName(objectName);
    return bindCheck(box, Access::bit(m_area, offset, bit), caption);
}
