#include "files/radiohistory.h"
#include "shell/appicon.h"
#include "shell/mainwindow.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvane-cps"));
    QApplication::setOrganizationName(QStringLiteral("Orvane"));
    // Lets a Wayland compositor match the windows to the installed launcher and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.orvane.cps"));
    QApplication::setWindowIcon(Icons::applicationIcon());

    // Whatever a window proves a radio holds joins that radio's history.
    RadioHistory::install();
    MainWindow window;
    window.startUp();
    return app.exec();
}
