#include "support/testsupport.h"
#include "demoimage.h"
#include "image/memoryimage.h"
#include "editor/editorwindow.h"
#include "platform/messagebox.h"
#include "platform/screen.h"
#include "shell/editorregistry.h"
#include "shell/mainwindow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {

QString plain(QString text)
{
    // "&&" is a literal ampersand; a single one only marks the mnemonic.
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text;
}

QString describe(const QWidget *w)
{
    return QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
}

// Width a text needs in one line (or in its own lines), as the widget's font draws it.
int textWidth(const QWidget *w, const QString &text)
{
    return w->fontMetrics().size(Qt::TextShowMnemonic, text).width();
}

// Everything in `window` that does not read whole as it stands, one line per fault.
QStringList faults(const QWidget *window, const QStringList &rowsMayScroll)
{
    QStringList out;
    // Squeezed below what its layout needs, a window cuts what it holds without showing
    // a scroll bar.
    if (window->layout()) {
        const QSize need = window->layout()->totalMinimumSize();
        if (need.width() > window->width() || need.height() > window->height())
            out << QStringLiteral("window %1x%2 under its layout's minimum %3x%4")
                       .arg(window->width()).arg(window->height()).arg(need.width()).arg(need.height());
    }
    for (const QScrollBar *bar : window->findChildren<QScrollBar *>()) {
        if (!bar->isVisible())
            continue;
        // A grid of more rows than any screen holds scrolls through them by design.
        const auto *view = qobject_cast<const QAbstractItemView *>(bar->parentWidget() ? bar->parentWidget()->parentWidget()
                                                                                       : nullptr);
        if (bar->orientation() == Qt::Vertical && view && view->model() && view->model()->rowCount() > 100)
            continue;
        const QWidget *owner = bar->parentWidget() ? bar->parentWidget()->parentWidget() : nullptr;
        if (bar->orientation() == Qt::Vertical && view && rowsMayScroll.contains(view->objectName()))
            continue;
        // Pixels for a scroll area, rows or columns for a grid.
        out << QStringLiteral("%1 scroll bar in %2 (range %3)")
                   .arg(bar->orientation() == Qt::Vertical ? QStringLiteral("vertical") : QStringLiteral("horizontal"),
                        owner ? describe(owner) : QStringLiteral("?"))
                   .arg(bar->maximum());
    }
    for (const QLabel *label : window->findChildren<QLabel *>()) {
        if (!label->isVisible() || label->text().isEmpty() || label->wordWrap())
            continue;
        const QSize need = label->fontMetrics().size(Qt::TextShowMnemonic, label->text());
        const QRect room = label->contentsRect().marginsRemoved(QMargins(label->margin(), label->margin(),
                                                                          label->margin(), label->margin()));
        if (room.width() < need.width() || room.height() < need.height())
            out << QStringLiteral("%1 %2 cut: %3 of %4 pixels").arg(describe(label), label->text()).arg(room.width()).arg(need.width());
    }
    // A read-only box is a label the user cannot type into.
    for (const QLineEdit *box : window->findChildren<QLineEdit *>()) {
        if (!box->isVisible() || !box->isReadOnly() || box->text().isEmpty())
            continue;
        QStyleOptionFrame option;
        option.initFrom(box);
        const QRect room = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box)
                               .marginsRemoved(box->textMargins());
        // The line edit's own horizontal margin of 2 pixels each side.
        const int need = box->fontMetrics().horizontalAdvance(box->text()) + 4;
        if (room.width() < need)
            out << QStringLiteral("%1 %2 cut: %3 of %4 pixels").arg(describe(box), box->text()).arg(room.width()).arg(need);
    }
    for (const QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
        if (!button->isVisible() || button->text().isEmpty())
            continue;
        int need = textWidth(button, button->text());
        if (qobject_cast<const QCheckBox *>(button) || qobject_cast<const QRadioButton *>(button)) {
            // Indicator, spacing and text, as the style lays a check box out.
            need = button->sizeHint().width();
        } else if (qobject_cast<const QPushButton *>(button)) {
            need += 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        } else {
            continue;
        }
        if (button->width() < need)
            out << QStringLiteral("%1 %2 cut: %3 of %4 pixels").arg(describe(button), plain(button->text())).arg(button->width()).arg(need);
    }
    for (const QComboBox *combo : window->findChildren<QComboBox *>()) {
        if (!combo->isVisible() || combo->currentText().isEmpty())
            continue;
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        option.frame = combo->hasFrame();
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
        const int need = combo->fontMetrics().horizontalAdvance(combo->currentText());
        if (field.width() < need)
            out << QStringLiteral("%1 %2 cut: %3 of %4 pixels").arg(describe(combo), combo->currentText()).arg(field.width()).arg(need);
    }
    for (const QGroupBox *group : window->findChildren<QGroupBox *>()) {
        if (!group->isVisible() || group->title().isEmpty())
            continue;
        if (group->width() < textWidth(group, group->title()))
            out << QStringLiteral("%1 title %2 cut").arg(describe(group), group->title());
    }
    for (const QTabBar *tabs : window->findChildren<QTabBar *>()) {
        if (!tabs->isVisible())
            continue;
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->tabRect(i).width() < textWidth(tabs, tabs->tabText(i)))
                out << QStringLiteral("tab %1 cut").arg(tabs->tabText(i));
        }
    }
    for (const QTableView *grid : window->findChildren<QTableView *>()) {
        if (!grid->isVisible())
            continue;
        const QHeaderView *header = grid->horizontalHeader();
        for (int c = 0; c < header->count(); ++c) {
            if (header->isSectionHidden(c))
                continue;
            const int need = header->sectionSizeHint(c);
            if (header->sectionSize(c) < need)
                out << QStringLiteral("%1 column %2 (%3) %4 of %5 pixels")
                           .arg(describe(grid))
                           .arg(c)
                           .arg(grid->model()->headerData(c, Qt::Horizontal).toString().trimmed())
                           .arg(header->sectionSize(c))
                           .arg(need);
        }
    }
    return out;
}

void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

} // namespace

class TestWindowFit : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void editorsReadWholeAtTheirOpeningSize_data();
    void editorsReadWholeAtTheirOpeningSize();
    void messageBoxOkFollowsTheLanguage_data();
    void messageBoxOkFollowsTheLanguage();
};

void TestWindowFit::init()
{
    TestSupport::resetState();
}

void TestWindowFit::cleanup()
{
    Screen::clearOverride();
    TestSupport::endState();
}

void TestWindowFit::editorsReadWholeAtTheirOpeningSize_data()
{
    QTest::addColumn<QByteArray>("editor");
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QSize>("screen");
    // Run again with QT_SCALE_FACTOR=2 (tst_windowfit_scale2): a high-density screen of
    // 2732 x 1536 pixels, 1366 x 768 of the windows' own, where every text is drawn from
    // fonts at twice the size and may round otherwise.
    const qreal scale = qApp->devicePixelRatio();
    QList<QSize> screens{QSize(1366, 768), QSize(1920, 1080)};
    if (scale > 1)
        screens = {QSize(2732, 1536)};
    for (const QSize &screen : screens) {
        const QSize logical = (QSizeF(screen) / scale).toSize();
        for (const bool chinese : {false, true}) {
            for (const EditorEntry &e : editorRegistry()) {
                QByteArray row = QByteArray(e.objectName) + (chinese ? " zh " : " en ")
                                 + QByteArray::number(screen.width()) + 'x' + QByteArray::number(screen.height());
                if (scale > 1)
                    row += " at scale " + QByteArray::number(scale);
                QTest::newRow(row.constData()) << QByteArray(e.objectName) << chinese << logical;
            }
        }
    }
}

void TestWindowFit::editorsReadWholeAtTheirOpeningSize()
{
    QFETCH(QByteArray, editor);
    QFETCH(bool, chinese);
    QFETCH(QSize, screen);

    // The plan of the demo radio, as a new user first sees the windows.
    buildDemoImage(TestSupport::image());
    Screen::overrideSizeTwips(screen * Screen::TwipsPerPixel);
    Language::setChinese(chinese);
    LanguageTable::rebuild();

    // The main window as start-up leaves it: as large as the screen.
    MainWindow main;
    main.setGeometry(QRect(QPoint(0, 0), screen));
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    settle();

    EditorWindow *window = main.showEditor(editor.constData());
    QVERIFY(window);
    settle();

    // The 5-tone decode tab holds a grid of 15 codes, the function panel and seven rows of
    // settings; the window's share of a 768-pixel screen leaves the grid about half its
    // rows, so that grid alone scrolls through them there.
    QStringList rowsMayScroll;
    if (editor == "frm_5tone" && screen.height() < 1080)
        rowsMayScroll << QStringLiteral("MSF_Decode");

    QStringList all;
    const auto check = [&](const QString &where) {
        settle();
        for (const QString &f : faults(window, rowsMayScroll))
            all << where + f;
    };
    const QList<QTabBar *> tabBars = window->findChildren<QTabBar *>();
    check(QString());
    for (QTabBar *tabs : tabBars) {
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            check(QStringLiteral("[%1] ").arg(tabs->tabText(i)));
        }
        tabs->setCurrentIndex(0);
    }
    for (const QScrollBar *bar : main.mdiArea()->findChildren<QScrollBar *>()) {
        if (bar->isVisible() && bar->parentWidget() && bar->parentWidget()->parentWidget() == main.mdiArea())
            all << QStringLiteral("the frame's client area scrolls");
    }
    all.removeDuplicates();
    QVERIFY2(all.isEmpty(), qPrintable(all.join(QLatin1Char('\n'))));
}

void TestWindowFit::messageBoxOkFollowsTheLanguage_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QString>("ok");
    QTest::newRow("Chinese") << true << QStringLiteral("确定");
    // Back to English after Chinese: the translation goes again.
    QTest::newRow("English") << false << QStringLiteral("OK");
}

void TestWindowFit::messageBoxOkFollowsTheLanguage()
{
    QFETCH(bool, chinese);
    QFETCH(QString, ok);
    Language::setChinese(true);
    Language::setChinese(chinese);
    MessageBox::stopRecording();

    QString shown;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        if (QAbstractButton *button = box->button(QMessageBox::Ok))
            shown = plain(button->text());
        box->accept();
    });
    // Failsafe: a box that never showed must not hang the test.
    QTimer::singleShot(5000, this, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    MessageBox::show(nullptr, QStringLiteral("t"), QStringLiteral("x"));
    QCOMPARE(shown, ok);
}

QTEST_MAIN(TestWindowFit)
#include "tst_windowfit.moc"
