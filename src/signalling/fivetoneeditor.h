#pragma once

#include "signalling/signallingframe.h"

#include <QVector>
#include <functional>

class FiveToneDecodeModel;
class FiveToneDecodeTable;
class FiveToneEncodeModel;
class FiveToneStandardsModel;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QTabWidget;
class QTableView;

// The 5-tone window (frm_5tone): the standards with their tone frequencies, the encode
// codes with their delays, the decode codes with the functions after each frame and the
// decode settings, and the codes' own transfer (which sends the standards tables too).
class FiveToneEditor : public SignallingEditor
{
    Q_OBJECT
public:
    explicit FiveToneEditor(QWidget *parent = nullptr);

    static constexpr double WidthDivisor = 1.3;
    static constexpr double HeightDivisor = 1.55;

    QTabWidget *tabs() const { return m_tabs; }
    QTableView *standardsGrid() const { return m_standardsGrid; }
    QTableView *encodeGrid() const { return m_encodeGrid; }
    QTableView *decodeGrid() const { return m_decodeGrid; }
    FiveToneStandardsModel *standardsModel() const { return m_standardsModel; }
    FiveToneEncodeModel *encodeModel() const { return m_encodeModel; }
    FiveToneDecodeModel *decodeModel() const { return m_decodeModel; }
    int currentDecodeCode() const { return m_currentCode; }

    void redisplay() override;

protected:
    AreaTransfer transfer() const override { return AreaTransfer::fiveTone(); }
    void loadDefaults(Document::Contents &contents) override;

private:
    QWidget *buildStandardsTab();
    QWidget *buildEncodeTab();
    QWidget *buildDecodeTab();
    QWidget *makeFrameChecks(const char *objectName, const char *boxName, int offset);
    QWidget *buildFunctionPanel();
    void showStandard(int standard);
    void selectDecodeCode(int code);
    void showFunctions();
    void storeFunctions(int frame);
    // One step over the decode table the document holds.
    void editDecodeTable(const StepLabel &what, const std::function<void(FiveToneDecodeTable &)> &edit);
    bool shows(const DocumentRanges &ranges) const override;

    QTabWidget *m_tabs = nullptr;
    QTableView *m_standardsGrid = nullptr;
    QTableView *m_encodeGrid = nullptr;
    QTableView *m_decodeGrid = nullptr;
    FiveToneStandardsModel *m_standardsModel = nullptr;
    FiveToneEncodeModel *m_encodeModel = nullptr;
    FiveToneDecodeModel *m_decodeModel = nullptr;
    QComboBox *m_standardName = nullptr;
    QVector<QLabel *> m_frequencies;
    QGroupBox *m_functionPanel = nullptr;
    // Per frame: DISP, LED, CTRL, ALERT, then options 1-5.
    QVector<QVector<QCheckBox *>> m_functionBoxes;
    int m_currentCode = 1;
};
