#include "fm/fmeditor.h"

#include "fm/fmgridmodel.h"
#include "fm/fmpresets.h"
#include "fm/fmtexts.h"
#include "image/memoryimage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

namespace {

EditorWindow::Setup fmSetup()
{
    return {FmText::Caption, {FmText::ReadDone, FmText::WriteDone, FmText::ReadComplete, FmText::WriteComplete},
            FmEditor::WidthDivisor, FmEditor::HeightDivisor};
}

} // namespace

FmEditor::FmEditor(QWidget *parent)
    : EditorWindow(fmSetup(), parent)
{
    m_model = new FmGridModel(Document::instance(), m_chinese, this);
    m_grid = makeGrid("MSF_Chann", FmText::Caption, m_model,
                      QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked
                          | QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
    // The 17 rows below the header (16 presets and the spare) share the grid's height.
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    showRefusals(m_model);

    // Default is let through during a transfer: a write sends the rows as they were
    // when it started, and a read replaces the presets when it ends.
    QHBoxLayout *buttons = makeButtonRow({
        {Action::Read, "Command_read", FmText::Read, &CommonText::Busy},
        {Action::Write, "Command_write", FmText::Write, &CommonText::Busy},
        {Action::Clear, "Command_Clear", FmText::Clear, &CommonText::BusyClear},
        {Action::Default, "Command_Def", FmText::Default, nullptr},
        {Action::Open, "Command_open", FmText::Open, &CommonText::Busy},
        {Action::Save, "Command_save", FmText::Save, &CommonText::Busy},
        {Action::Close, "Command_Close", FmText::Close, &CommonText::BusyClose},
    }, false);
    // Seven buttons fill the narrow window's width: progress and status get a row above.
    auto *progress = new QHBoxLayout;
    progress->addWidget(progressBar(), 1);
    progress->addWidget(statusLine(), 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(progress);
    layout->addLayout(buttons);

    redisplay();
    m_grid->setCurrentIndex(m_model->index(0, FmGridModel::Frequency));
}

void FmEditor::leaveEditedCell()
{
    const QModelIndex current = m_grid->currentIndex();
    m_grid->setCurrentIndex(m_model->index(current.isValid() ? current.row() : 0, FmGridModel::Number));
}

void FmEditor::redisplay()
{
    m_model->displayAll();
}

void FmEditor::clearArea(Document::Contents &contents)
{
    leaveEditedCell();
    FmPreset::clearAll(contents.image);
}

void FmEditor::loadDefaults(Document::Contents &contents)
{
    leaveEditedCell();
    FmPreset::writeDefaults(contents.image);
}
