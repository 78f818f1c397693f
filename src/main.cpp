#include "files/journal.h"
#include "image/document.h"
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

    MainWindow window;
    window.startUp();
    // From the start-up state on, every step the document takes is kept. A journal that
    // cannot be started costs the run nothing else.
    Journal journal(Document::instance());
    journal.start();
    window.showRecoverable();
    return app.exec();
}
