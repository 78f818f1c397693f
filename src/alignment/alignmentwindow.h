#pragma once

#include "alignment/alignmenttable.h"
#include "editor/editorwindow.h"

#include <QVector>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QTabBar;

// The factory alignment window (frm_Adj_Txp): the alignment block on five tabs, its own
// read and write of 0x3C00 and its own .adj files. Only what the user types is checked;
// values that arrive by a read or a file are shown as they are and stay as they are.
class AlignmentWindow : public EditorWindow
{
    Q_OBJECT
public:
    explicit AlignmentWindow(QWidget *parent = nullptr);
    ~AlignmentWindow() override;

    static constexpr double WidthDivisor = 1.48;
    static constexpr double HeightDivisor = 1.16;
    enum Tab { High, Low, Squelch, Deviation, Other, TabCount };

    QTabBar *tabs() const { return m_tabs; }
    // Element `i` of a box array by its name ("Text1", "Text_Freq_L", ...).
    QLineEdit *box(const QString &name, int i) const;
    QComboBox *list(const char *name) const;

    // Shows the selected tab from the alignment values; never stores.
    void redisplay() override;

protected:
    AreaTransfer transfer() const override { return AreaTransfer::alignment(); }
    void loadDefaults(Document::Contents &contents) override;
    void afterFinalFailure() override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    struct Boxes
    {
        const Alignment::NumberBoxes *kind;
        QVector<QLineEdit *> edits;
    };

    QGroupBox *makePowerFrame();
    QGroupBox *makeSquelchFrame();
    QGroupBox *makeDeviationFrame();
    QGroupBox *makeOtherFrame();
    QLineEdit *makeNumberBox(Boxes &boxes, int i, const QString &caption);
    // The line a box row edits on the current tab.
    int lineOf(const Boxes &boxes) const;
    void rangeLeft(int band, bool upper);
    void tabChosen(int tab);
    void takeFileRequest();

    QTabBar *m_tabs = nullptr;
    QGroupBox *m_frames[4] = {};
    Boxes m_powerVhf{&Alignment::PowerVhf, {}};
    Boxes m_powerUhf{&Alignment::PowerUhf, {}};
    Boxes m_squelchVhf{&Alignment::SquelchVhf, {}};
    Boxes m_offsetVhf{&Alignment::OffsetVhf, {}};
    Boxes m_squelchUhf{&Alignment::SquelchUhf, {}};
    Boxes m_offsetUhf{&Alignment::OffsetUhf, {}};
    QLineEdit *m_rangeBoxes[2][2] = {}; // [band][upper]
};
