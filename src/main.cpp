#include "shell/mainwindow.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvane-cps"));
    QApplication::setOrganizationName(QStringLiteral("Orvane"));

    MainWindow window;
    window.startUp();
    return app.exec();
}
