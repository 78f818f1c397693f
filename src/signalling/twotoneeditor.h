#pragma once

#include "signalling/signallingframe.h"

#include <QVector>

class QGroupBox;
class QLineEdit;
class QTabWidget;
class QTableView;
class TwoToneDecodeModel;
class TwoToneEncodeModel;

// The 2-tone window (frm_2tone): an Encode tab with the fifteen tone pairs and their
// durations, a Decode tab with the fifteen decode codes, the tone set of the selected
// one and the reset time, and the area's own transfer.
class TwoToneEditor : public SignallingEditor
{
    Q_OBJECT
public:
    explicit TwoToneEditor(QWidget *parent = nullptr);

    static constexpr double WidthDivisor = 1.3;
    static constexpr double HeightDivisor = 1.55;

    QTableView *encodeGrid() const { return m_encodeGrid; }
    QTableView *decodeGrid() const { return m_decodeGrid; }
    TwoToneEncodeModel *encodeModel() const { return m_encodeModel; }
    TwoToneDecodeModel *decodeModel() const { return m_decodeModel; }
    QTabWidget *tabs() const { return m_tabs; }
    // 1..15, the decode row whose tone set the A-D boxes show.
    int currentCode() const { return m_currentCode; }

    void redisplay() override;

protected:
    AreaTransfer transfer() const override { return AreaTransfer::twoTone(); }
    void loadDefaults(Document::Contents &contents) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildEncodeTab();
    QWidget *buildDecodeTab();
    void selectCode(int code);
    void showToneSet();
    void leaveToneBox(int tone);

    QTabWidget *m_tabs = nullptr;
    QTableView *m_encodeGrid = nullptr;
    QTableView *m_decodeGrid = nullptr;
    TwoToneEncodeModel *m_encodeModel = nullptr;
    TwoToneDecodeModel *m_decodeModel = nullptr;
    QGroupBox *m_toneFrame = nullptr;
    QVector<QLineEdit *> m_toneBoxes;
    int m_currentCode = 1;
};
