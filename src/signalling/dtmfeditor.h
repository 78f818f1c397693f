#pragma once

#include "signalling/signallingframe.h"

#include <QVector>

class QCheckBox;
class QComboBox;
class QLineEdit;

// The DTMF window (frm_dtmf): encode codes and timing, the remote-function decode codes,
// the control IDs with their rights, the RX/TX disable state, and the area's own transfer.
// Its controls are bound to the area's fields.
class DtmfEditor : public SignallingEditor
{
    Q_OBJECT
public:
    explicit DtmfEditor(QWidget *parent = nullptr);

    static constexpr double WidthDivisor = 1.3;
    static constexpr double HeightDivisor = 1.55;

    void redisplay() override;

protected:
    AreaTransfer transfer() const override { return AreaTransfer::dtmf(); }
    void loadDefaults(Document::Contents &contents) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildEncodeFrame();
    QWidget *buildDecodeFrame();
    QWidget *buildControlFrame();
    QWidget *buildStateFrame();
    QLineEdit *makeDigitBox(const QString &objectName, int offset);
    QComboBox *makeCodeList(const char *objectName, int offset);
    void enableControlled(bool on);

    QCheckBox *m_control = nullptr;
    // The ID boxes and rights boxes the control check box switches.
    QVector<QWidget *> m_controlled;
};
