#pragma once

#include "editor/editorwindow.h"

class FmGridModel;
class QTableView;

// The FM preset editor (frm_FM): the 16 presets in a grid, edited in place, and the
// window's own read and write of the FM area.
class FmEditor : public EditorWindow
{
    Q_OBJECT
public:
    explicit FmEditor(QWidget *parent = nullptr);

    static constexpr double WidthDivisor = 1.8;
    static constexpr double HeightDivisor = 1.3;

    FmGridModel *model() const { return m_model; }
    QTableView *grid() const { return m_grid; }

    void redisplay() override;

protected:
    AreaTransfer transfer() const override { return AreaTransfer::fm(); }
    void clearArea(Document::Contents &contents) override;
    void loadDefaults(Document::Contents &contents) override;

private:
    // Leaves an open cell editor, so Clear and Default act on a committed grid.
    void leaveEditedCell();

    FmGridModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
};
