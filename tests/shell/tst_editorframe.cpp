// What every registered editor does alike on the editor frame, one row per editor: the
// busy refusals of its buttons and of closing the frame, one edit through its
// controls that Undo takes back to the exact bytes, and that the window shows what the
// undo (a change made outside it) brought back without being activated again. Then the
// frame's parts every editor declares with: each kind of binding, and the key policy.

#include "channels/channelgridmodel.h"
#include "fm/fmgridmodel.h"
#include "image/document.h"
#include "editor/editorwindow.h"
#include "editor/keypolicy.h"
#include "shell/areaentries.h"
#include "shell/editorregistry.h"
#include "shell/imageinitialisation.h"
#include "support/radiofixture.h"
#include "support/testsupport.h"
#include "texts/commontexts.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabBar>
#include <QTableView>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

// The value an edit changes, as the window shows it.
using Shown = std::function<QString(EditorWindow *)>;
using Edit = std::function<void(EditorWindow *)>;

struct Row
{
    const char *editor;
    const char *closeRefusal; // the Close button's text while a transfer runs
    const char *defaultRefusal; // the Default button's; none: Default is let through
    Edit edit;
    Shown shown;
    Edit prepare = nullptr; // brings the edited control into view first
};

QComboBox *list(EditorWindow *w, const char *name)
{
    return w->findChild<QComboBox *>(QLatin1String(name));
}

// Chooses another entry the way a click does: the list's own `activated`.
Edit choose(const char *name)
{
    return [name](EditorWindow *w) {
        QComboBox *box = list(w, name);
        QVERIFY2(box, name);
        const int next = (box->currentIndex() + 1) % box->count();
        box->setCurrentIndex(next);
        emit box->activated(next);
    };
}

Shown listShows(const char *name)
{
    return [name](EditorWindow *w) { return list(w, name)->currentText(); };
}

// A committed grid cell, as its overlay commits it.
Edit commitCell(int row, int column, const char *text)
{
    return [=](EditorWindow *w) {
        auto *grid = w->findChild<QTableView *>();
        QVERIFY(grid);
        QVERIFY(grid->model()->setData(grid->model()->index(row, column), QString::fromLatin1(text)));
    };
}

Shown cellShows(int row, int column)
{
    return [=](EditorWindow *w) {
        auto *grid = w->findChild<QTableView *>();
        return grid->model()->index(row, column).data().toString();
    };
}

using TestSupport::BusyCloseFrameText;
using TestSupport::BusyCloseText;
using TestSupport::BusyText;

const std::vector<Row> &rows()
{
    static const std::vector<Row> table{
        // The grids' Default is let through: a read that ends replaces the rows anyway.
        {"frm_chann", BusyCloseText, nullptr, commitCell(7, ChannelGridModel::RxFrequency, "146.52"),
         cellShows(7, ChannelGridModel::RxFrequency)},
        {"frm_option", BusyCloseFrameText, BusyText, choose("Combo_Sql_le"), listShows("Combo_Sql_le")},
        {"frm_FM", BusyCloseText, nullptr, commitCell(3, FmGridModel::Frequency, "99.5"),
         cellShows(3, FmGridModel::Frequency)},
        // The window shows one tab at a time; the deviation lists are on the fourth.
        {"frm_Adj_Txp", BusyCloseFrameText, BusyText, choose("Combo_CT_Dev"), listShows("Combo_CT_Dev"),
         [](EditorWindow *w) { w->findChild<QTabBar *>()->setCurrentIndex(3); }},
        {"frm_dtmf", BusyText, BusyText, choose("Combo_Dec_Res_Time"), listShows("Combo_Dec_Res_Time")},
        {"frm_2tone", BusyText, BusyText, choose("Combo_time2"), listShows("Combo_time2")},
        // The reply delay lives in the decode table, outside the image.
        {"frm_5tone", BusyText, BusyText, choose("Combo_Reply_Delay"), listShows("Combo_Reply_Delay")},
    };
    return table;
}

const Row *rowFor(const QString &editor)
{
    for (const Row &r : rows()) {
        if (editor == QLatin1String(r.editor))
            return &r;
    }
    return nullptr;
}

} // namespace

class TestEditorFrame : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { TestSupport::endState(); }
    void everyEditorHasARow();
    void undoRestoresTheBytesAndTheWindowShowsThem_data();
    void undoRestoresTheBytesAndTheWindowShowsThem();
    void busyRefusals_data() { undoRestoresTheBytesAndTheWindowShowsThem_data(); }
    void busyRefusals();
    void everyKindOfBinding_data();
    void everyKindOfBinding();
    void keyPolicy_data();
    void keyPolicy();
};

void TestEditorFrame::init()
{
    TestSupport::resetState();
    Document::instance().initialise([](Document::Contents &c) {
        initialiseMemoryImage(c.image);
        return true;
    });
}

void TestEditorFrame::everyEditorHasARow()
{
    for (const EditorEntry &e : editorRegistry()) {
        QVERIFY2(rowFor(QString::fromLatin1(e.objectName)), e.objectName);
        QVERIFY2(findArea(e.area) && findArea(e.area)->defaults, e.area);
    }
}

void TestEditorFrame::undoRestoresTheBytesAndTheWindowShowsThem_data()
{
    QTest::addColumn<QString>("editor");
    for (const EditorEntry &e : editorRegistry())
        QTest::newRow(e.objectName) << QString::fromLatin1(e.objectName);
}

void TestEditorFrame::undoRestoresTheBytesAndTheWindowShowsThem()
{
    QFETCH(QString, editor);
    const Row *row = rowFor(editor);
    QVERIFY(row);
    std::unique_ptr<EditorWindow> window(findEditor(row->editor)->make());
    window->show();

    Document &doc = Document::instance();
    const Document::Contents before = doc.contents();
    if (row->prepare)
        row->prepare(window.get());
    const QString shownBefore = row->shown(window.get());
    row->edit(window.get());
    const Document::Contents after = doc.contents();
    QVERIFY2(!(after.image == before.image) || after.alignment != before.alignment
                 || after.fiveToneDecode != before.fiveToneDecode,
             "the edit changed nothing");
    const QString shownAfter = row->shown(window.get());
    QVERIFY(shownAfter != shownBefore);
    QCOMPARE(doc.history().count(), 1);

    doc.undo();
    QVERIFY(doc.image() == before.image);
    QCOMPARE(doc.alignment(), before.alignment);
    QCOMPARE(doc.fiveToneDecode(), before.fiveToneDecode);
    // Nobody activated the window: it follows the document.
    QCOMPARE(row->shown(window.get()), shownBefore);

    doc.redo();
    QVERIFY(doc.image() == after.image);
    QCOMPARE(doc.alignment(), after.alignment);
    QCOMPARE(doc.fiveToneDecode(), after.fiveToneDecode);
    QCOMPARE(row->shown(window.get()), shownAfter);
}

void TestEditorFrame::busyRefusals()
{
    QFETCH(QString, editor);
    const Row *row = rowFor(editor);
    QVERIFY(row);
    std::unique_ptr<EditorWindow> window(findEditor(row->editor)->make());
    window->show();

    // A silent radio keeps the window's read running.
    RadioOnCom radio(4);
    QVERIFY(radio.ok());
    vradio::Faults silent;
    silent.silent = true;
    radio.radio().setFaults(silent);
    using Action = EditorWindow::Action;
    window->button(Action::Read)->click();
    QVERIFY(window->isBusy());
    QCOMPARE(window->statusLine()->text(), QStringLiteral("Connecting with transceiver. "));
    QVERIFY(window->progressBar()->isVisible());
    MessageBox::takeRecorded();
    const Document::Contents before = Document::instance().contents();

    // A second start, and every button that would touch what the transfer moves, is refused.
    for (auto action : {Action::Read, Action::Write, Action::Open, Action::Save}) {
        window->button(action)->click();
        QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({QString::fromUtf8(BusyText)}));
    }
    if (QPushButton *clear = window->button(Action::Clear)) {
        clear->click();
        QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({QString::fromUtf8(TestSupport::BusyClearText)}));
    }
    if (row->defaultRefusal) {
        window->button(Action::Default)->click();
        QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({QString::fromUtf8(row->defaultRefusal)}));
    }
    window->button(Action::Close)->click();
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({QString::fromUtf8(row->closeRefusal)}));
    QVERIFY(!window->close());
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({QString::fromUtf8(BusyCloseFrameText)}));
    QVERIFY(window->isVisible());
    const Document::Contents after = Document::instance().contents();
    QVERIFY(after.image == before.image);
    QCOMPARE(after.alignment, before.alignment);
    QCOMPARE(after.fiveToneDecode, before.fiveToneDecode);
    window->engine().stop();
}

void TestEditorFrame::everyKindOfBinding_data()
{
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("keys"); // empty: a click
    QTest::addColumn<QString>("stepZh");
    QTest::addColumn<QString>("shownAfter");
    QTest::addColumn<QString>("message");
    // A check box without a caption label is named by its own caption in both languages.
    QTest::newRow("bit") << "frm_dtmf" << "Check_RX" << "" << "接收禁止（DTMF 编解码参数编辑）" << "on" << "";
    // Keys in a row are one step; keys outside the box's rule never reach it.
    QTest::newRow("digits") << "frm_dtmf" << "Text_XC" << "1x2#" << "巡 查 码（DTMF 编解码参数编辑）" << "12#"
                            << "";
    QTest::newRow("number") << "frm_Adj_Txp" << "Text1" << "9" << "VHF 130MHZ（发射功率调整（高功率））" << "9" << "";
    // A refused number stores the point's default, shows it and says why.
    QTest::newRow("number refused") << "frm_Adj_Txp" << "Text1" << "99" << "VHF 130MHZ（发射功率调整（高功率））"
                                    << "fallback" << " 输入数字范围为 0 - 15 ！";
}

void TestEditorFrame::everyKindOfBinding()
{
    QFETCH(QString, editor);
    QFETCH(QString, control);
    QFETCH(QString, keys);
    QFETCH(QString, stepZh);
    QFETCH(QString, shownAfter);
    QFETCH(QString, message);
    std::unique_ptr<EditorWindow> window(findEditor(editor.toLatin1().constData())->make());
    window->show();
    QWidget *widget = window->findChild<QWidget *>(control);
    QVERIFY(widget);
    auto shown = [widget] {
        if (auto *box = qobject_cast<QCheckBox *>(widget))
            return QString::fromLatin1(box->isChecked() ? "on" : "off");
        return static_cast<QLineEdit *>(widget)->text();
    };
    Document &doc = Document::instance();
    const Document::Contents before = doc.contents();
    const QString shownBefore = shown();
    MessageBox::takeRecorded();

    if (keys.isEmpty()) {
        QTest::mouseClick(widget, Qt::LeftButton);
    } else {
        auto *box = static_cast<QLineEdit *>(widget);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, keys);
    }
    QCOMPARE(doc.history().count(), 1);
    QCOMPARE(doc.undoLabel(true), stepZh);
    QCOMPARE(MessageBox::takeRecordedTexts(), message.isEmpty() ? QStringList() : QStringList({message}));
    const QString now = shown();
    if (shownAfter == QLatin1String("fallback"))
        QCOMPARE(now.toInt(), int(uint8_t(doc.alignment().at(0))));
    else
        QCOMPARE(now, shownAfter);

    doc.undo();
    QVERIFY(doc.image() == before.image);
    QCOMPARE(doc.alignment(), before.alignment);
    QCOMPARE(shown(), shownBefore);
}

void TestEditorFrame::keyPolicy_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("shown"); // what the program put in the box
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("expected");
    QTest::newRow("digits: only the row's keys") << "dtmf" << "" << "12x#a e" << "" << "12#a";
    QTest::newRow("digits: 16 and no more") << "dtmf" << "0123456789ABCD*#" << "1" << "" << "0123456789ABCD*#";
    QTest::newRow("digits: a full row is still edited") << "dtmf" << "0123456789ABCD*#" << "\b2" << ""
                                                         << "0123456789ABCD*2";
    QTest::newRow("frequency: no leading point") << "frequency" << "" << ".1.4" << "" << "1.4";
    QTest::newRow("frequency: digits stop at nine") << "frequency" << "145.12500" << "1" << "" << "145.12500";
    QTest::newRow("frequency: points do not") << "frequency" << "145.12500" << "." << "" << "145.12500.";
    QTest::newRow("up to four: a longer value stays whole") << "four" << "12345" << "6" << "" << "12345";
    QTest::newRow("up to four: and can be shortened") << "four" << "12345" << "\b\b7" << "" << "1237";
    QTest::newRow("tone: upper case, tone letters only") << "tone" << "" << "d0x23n" << "" << "D023N";
    QTest::newRow("one point") << "one point" << "" << "1.2.3" << "" << "1.23";
    // A paste goes in as it is, for the box's own rules; a one-character paste is a key.
    QTest::newRow("paste: not judged") << "tone set" << "1" << "" << "2a345678" << "12a345678";
    QTest::newRow("paste: upper-cased") << "tone" << "" << "" << "d023n" << "D023N";
    QTest::newRow("paste: one character is a key") << "tone set" << "1" << "" << "a" << "1";
}

void TestEditorFrame::keyPolicy()
{
    QFETCH(QString, rule);
    QFETCH(QString, shown);
    QFETCH(QString, keys);
    QFETCH(QString, pasted);
    QFETCH(QString, expected);
    KeyPolicy::Rule r;
    if (rule == QLatin1String("dtmf")) {
        r = KeyPolicy::Rule::characters(QStringLiteral("0123456789ABCDabcd*#"), 16);
    } else if (rule == QLatin1String("frequency")) {
        r = KeyPolicy::Rule::upTo(9);
        r.allowed = QStringLiteral("0123456789.");
        r.notFirst = r.unlimited = QStringLiteral(".");
    } else if (rule == QLatin1String("four")) {
        r = KeyPolicy::Rule::upTo(4);
    } else if (rule == QLatin1String("tone")) {
        r.allowed = QStringLiteral("0123456789.DNI");
        r.upperCase = true;
    } else if (rule == QLatin1String("one point")) {
        r.allowed = QStringLiteral("0123456789.");
        r.once = QStringLiteral(".");
    } else {
        r = KeyPolicy::Rule::characters(QStringLiteral("0123456789."), 7);
    }
    QLineEdit box;
    KeyPolicy::install(&box, r);
    box.show();
    box.setText(shown);
    QCOMPARE(box.text(), shown);
    for (QChar c : keys) {
        if (c == QLatin1Char('\b'))
            QTest::keyClick(&box, Qt::Key_Backspace);
        else
            QTest::keyClicks(&box, QString(c));
    }
    if (!pasted.isEmpty()) {
        QGuiApplication::clipboard()->setText(pasted);
        box.paste();
    }
    QCOMPARE(box.text(), expected);
}

QTEST_MAIN(TestEditorFrame)
#include "tst_editorframe.moc"
