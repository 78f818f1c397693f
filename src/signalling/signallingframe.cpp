#include "signalling/signallingframe.h"

#include "image/areaview.h"
#include "image/fieldtable.h"
#include "link/gridfit.h"
#include "platform/messagebox.h"
#include "signalling/dtmftexts.h"
#include "signalling/signallinggridmodel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollArea>
#include <QTableView>
#include <QVBoxLayout>

namespace SignallingFrame {

EditorWindow::Setup setup(const char *objectName, const BiText &caption, const Texts &texts, double widthDivisor,
                          double heightDivisor)
{
    EditorWindow::Setup s;
    s.objectName = objectName;
    s.caption = caption;
    s.portMessage = PortOpener::MainWindow;
    s.texts.readDone = texts.readDone;
    s.texts.writeDone = texts.writeDone;
    s.texts.readComplete = texts.readComplete;
    s.texts.writeComplete = texts.writeComplete;
    s.texts.completeTitle = CommonText::PromptTitleCapital;
    s.widthDivisor = widthDivisor;
    s.heightDivisor = heightDivisor;
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

QTableView *SignallingEditor::makeGrid(const char *objectName, const BiText &caption)
{
    auto *grid = new QTableView(this);
    grid->setObjectName(QString::fromLatin1(objectName));
    grid->setAccessibleName(caption.text(m_chinese));
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 8);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid->setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked
                          | QAbstractItemView::AnyKeyPressed);
    grid->setTabKeyNavigation(true);
    m_grids.append(grid);
    return grid;
}

void SignallingEditor::fitGrid(QTableView *grid, int minimumRows)
{
    GridFit::install(grid, SignallingGridModel::EntriesRole, minimumRows);
}

void SignallingEditor::leaveEditedCells()
{
    for (QTableView *grid : m_grids) {
        const QModelIndex current = grid->currentIndex();
        if (current.isValid() && grid->model())
            grid->setCurrentIndex(grid->model()->index(current.row(), 0));
    }
}

void SignallingEditor::showRefusals(const SignallingGridModel *model)
{
    connect(model, &SignallingGridModel::refused, this, [this](const BiText &title, const BiText &text) {
        Document::instance().whenSettled([this, title, text] { MessageBox::show(this, title.text(), text.text()); });
    });
}
