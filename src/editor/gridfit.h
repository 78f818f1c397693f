#pragma once

class QComboBox;
class QTableView;

// A grid that reads whole: each column at least as wide as its header, its cells and
// the entries its list overlay offers (role `entriesRole` of a cell, a QStringList; 0 for
// none), rows one line high, and the grid itself asking its layout for room for every
// row and column, so that the window rather than the grid gives way. Room beyond that is
// shared out among the columns. Fitted again whenever the model's texts change.
namespace GridFit {

// `minimumRows`: a grid that cannot always have room for all its rows asks for this many
// and scrolls through the rest; -1 asks for all.
void install(QTableView *grid, int entriesRole = 0, int minimumRows = -1);

// A drop-down at least as wide as its widest entry, however narrow its closed box (a
// list laid over a grid cell is as wide as the cell).
void widenPopup(QComboBox *list);

} // namespace GridFit
