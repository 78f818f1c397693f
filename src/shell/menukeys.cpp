#include "shell/menukeys.h"

#include "shell/mainwindow.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace MenuKeys {

namespace {

struct MenuKey
{
    const char *objectName;
    char letter; // a letter of the English caption
};

// Exit has none: one slip of the hand would end the program.
constexpr MenuKey BarKeys[] = {
    {"File", 'F'},   {"Edit", 'E'},          {"fm_chann_edit", 'M'}, {"chann_edit", 'C'},     {"sys_edit", 'O'},
    {"sig_edit", 'S'}, {"frm_adj", 'A'},     {"Program", 'P'},        {"Language_Setup", 'L'},
    {"about", 'B'},
};

const char *const ShortcutProperty = "orvaneMenuKey";

// "File" with 'F' -> "&File"; a caption without the letter stays as it is.
QString withMnemonic(const QString &caption, char letter)
{
    const int at = caption.indexOf(QLatin1Char(letter), 0, Qt::CaseInsensitive);
    if (at < 0)
        return caption;
    QString marked = caption;
    marked.insert(at, QLatin1Char('&'));
    return marked;
}

} // namespace

void install(MainWindow *window)
{
    for (const MenuKey &k : BarKeys) {
        QAction *entry = window->menuAction(QString::fromLatin1(k.objectName));
        if (!entry)
            continue;
        auto *key = new QShortcut(QKeySequence(Qt::ALT | Qt::Key(k.letter)), window);
        key->setEnabled(false);
        QObject::connect(key, &QShortcut::activated, window, [window, entry] {
            if (entry->menu())
                window->menuBar()->setActiveAction(entry);
            else
                entry->trigger();
        });
        entry->setProperty(ShortcutProperty, QVariant::fromValue(static_cast<QObject *>(key)));
    }
}

void applyLanguage(MainWindow *window, bool chinese)
{
    for (const MenuKey &k : BarKeys) {
        QAction *entry = window->menuAction(QString::fromLatin1(k.objectName));
        if (!entry)
            continue;
        if (!chinese)
            entry->setText(withMnemonic(entry->text(), k.letter));
        // Only one of the two may hold the key, or Qt finds it ambiguous and neither acts.
        if (auto *key = qobject_cast<QShortcut *>(entry->property(ShortcutProperty).value<QObject *>()))
            key->setEnabled(chinese);
    }
}

} // namespace MenuKeys
