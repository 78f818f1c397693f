#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

// The about box (frmAbout): the product, rights, designer and warning lines of the
// string table, Confirm, and a button that starts the system's information tool.
class AboutBox : public QWidget
{
    Q_OBJECT
public:
    explicit AboutBox(QWidget *parent = nullptr);

    // Where the box goes in the main window's client area: centred across, and 500 twips
    // above the vertical middle.
    static QRect placement(const QSize &clientArea, const QSize &size);

    // The program the System Information button starts, or empty when there is none.
    // Tests put their own lookup in place; an empty function restores the real one.
    using ProgramFinder = std::function<QString()>;
    static void setProgramFinder(const ProgramFinder &finder);
    static QString findSystemInformationProgram();

private:
    void startSystemInformation();
    void closeBox();
};
