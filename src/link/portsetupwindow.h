#pragma once

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

class IdentificationExchange;
class QGroupBox;
class QPushButton;
class QRadioButton;

// Form_setup: chooses COM1..COM12 for the whole program. Confirm tries the port on the
// main window's own port object and, when it opens, asks the radio who it is again.
class PortSetupWindow : public QWidget
{
    Q_OBJECT
public:
    explicit PortSetupWindow(IdentificationExchange *identification, QWidget *parent = nullptr);

    // Width inner / 1.9, height inner / 2, centred horizontally, top 500 twips above the
    // vertical centre position.
    static QRect placement(const QSize &innerArea);

    QRadioButton *option(int port) const;

private:
    void confirm();
    void closeWindow();

    QPointer<IdentificationExchange> m_identification;
    QGroupBox *m_frame;
    QList<QRadioButton *> m_options;
    QPushButton *m_ok;
    QPushButton *m_cancel;
};
