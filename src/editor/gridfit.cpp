#include "editor/gridfit.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>

namespace GridFit {

namespace {

class Fitter : public QObject
{
public:
    Fitter(QTableView *grid, int entriesRole, int minimumRows)
        : QObject(grid)
        , m_grid(grid)
        , m_entriesRole(entriesRole)
        , m_minimumRows(minimumRows)
    {
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        grid->horizontalHeader()->setStretchLastSection(false);
        grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        grid->verticalHeader()->setMinimumSectionSize(1);
        grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 4);
        grid->viewport()->installEventFilter(this);
        QAbstractItemModel *model = grid->model();
        connect(model, &QAbstractItemModel::dataChanged, this, &Fitter::fit);
        connect(model, &QAbstractItemModel::modelReset, this, &Fitter::fit);
        connect(model, &QAbstractItemModel::headerDataChanged, this, &Fitter::fit);
        fit();
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            share();
        return QObject::eventFilter(watched, event);
    }

private:
    void fit()
    {
        const QAbstractItemModel *model = m_grid->model();
        const QFontMetrics fm = m_grid->fontMetrics();
        // The cell's own margins as the style draws its text, and a little air.
        const int padding = 2 * (m_grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_grid) + 1) + 6;
        QHeaderView *header = m_grid->horizontalHeader();
        m_needs.fill(0, model->columnCount());
        int width = 0;
        for (int c = 0; c < model->columnCount(); ++c) {
            int need = header->sectionSizeHint(c);
            for (int r = 0; r < model->rowCount(); ++r) {
                const QModelIndex cell = model->index(r, c);
                need = std::max(need, fm.horizontalAdvance(cell.data().toString()) + padding);
                if (m_entriesRole) {
                    for (const QString &entry : cell.data(m_entriesRole).toStringList())
                        need = std::max(need, fm.horizontalAdvance(entry) + padding);
                }
            }
            m_needs[c] = need;
            if (!header->isSectionHidden(c))
                width += need;
        }
        const int frame = 2 * m_grid->frameWidth();
        const QHeaderView *rows = m_grid->verticalHeader();
        const int shown = m_minimumRows < 0 ? rows->length() : std::min(rows->length(), m_minimumRows * rows->defaultSectionSize());
        const int height = header->sizeHint().height() + shown;
        m_grid->setMinimumSize(width + frame + (m_grid->verticalHeader()->isVisible() ? m_grid->verticalHeader()->width() : 0),
                               height + frame);
        share();
    }

    // The columns at their needs, and the viewport's room beyond them shared out evenly.
    void share()
    {
        const int count = m_needs.size();
        if (count == 0)
            return;
        int total = 0;
        for (int need : m_needs)
            total += need;
        const int spare = std::max(0, m_grid->viewport()->width() - total);
        for (int c = 0; c < count; ++c)
            m_grid->setColumnWidth(c, m_needs[c] + spare / count + (c < spare % count ? 1 : 0));
    }

    QTableView *m_grid;
    int m_entriesRole;
    int m_minimumRows;
    QVector<int> m_needs;
};

} // namespace

void widenPopup(QComboBox *list)
{
    QAbstractItemView *view = list->view();
    const int scrollBar = list->count() > list->maxVisibleItems() ? view->verticalScrollBar()->sizeHint().width() : 0;
    view->setMinimumWidth(view->sizeHintForColumn(0) + scrollBar + 2 * view->frameWidth() + 8);
}

void install(QTableView *grid, int entriesRole, int minimumRows)
{
    new Fitter(grid, entriesRole, minimumRows);
}

} // namespace GridFit
