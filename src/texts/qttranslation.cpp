#include "texts/qttranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace QtTranslation {

namespace {
QPointer<QTranslator> g_installed;
} // namespace

void follow(bool chinese)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return;
    if (!chinese) {
        if (g_installed) {
            QCoreApplication::removeTranslator(g_installed);
            delete g_installed;
        }
        return;
    }
    if (g_installed)
        return;
    // qt_zh_CN pulls in qtbase and the other modules' catalogues that are installed.
    auto *translator = new QTranslator(app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qt"), QStringLiteral("_"), folder)) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    g_installed = translator;
}

bool isInstalled()
{
    return !g_installed.isNull();
}

} // namespace QtTranslation
