// What every registered editor does alike on the editor frame, one row per editor: the
// busy refusals of its Close button and of closing the frame, one edit through its
// controls that Undo takes back to the exact bytes, and that the window shows what the
// undo (a change made outside it) brought back without being activated again.

#include "channels/channelgridmodel.h"
#include "fm/fmgridmodel.h"
#include "image/document.h"
#include "link/editorwindow.h"
#include "shell/editorregistry.h"
#include "shell/imageinitialisation.h"
#include "support/radiofixture.h"
#include "support/testsupport.h"
#include "texts/commontexts.h"

#include <QComboBox>
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

const char *const Busy = CommonText::Busy.en;
const char *const BusyClose = CommonText::BusyClose.en;
const char *const BusyCloseFrame = CommonText::BusyCloseFrame.en;

const std::vector<Row> &rows()
{
    static const std::vector<Row> table{
        {"frm_chann", BusyClose, commitCell(7, ChannelGridModel::RxFrequency, "146.52"),
         cellShows(7, ChannelGridModel::RxFrequency)},
        {"frm_option", BusyCloseFrame, choose("Combo_Sql_le"), listShows("Combo_Sql_le")},
        {"frm_FM", BusyClose, commitCell(3, FmGridModel::Frequency, "99.5"), cellShows(3, FmGridModel::Frequency)},
        // The window shows one tab at a time; the deviation lists are on the fourth.
        {"frm_Adj_Txp", BusyCloseFrame, choose("Combo_CT_Dev"), listShows("Combo_CT_Dev"),
         [](EditorWindow *w) { w->findChild<QTabBar *>()->setCurrentIndex(3); }},
        {"frm_dtmf", Busy, choose("Combo_Dec_Res_Time"), listShows("Combo_Dec_Res_Time")},
        {"frm_2tone", Busy, choose("Combo_time2"), listShows("Combo_time2")},
        // The reply delay lives in the decode table, outside the image.
        {"frm_5tone", Busy, choose("Combo_Reply_Delay"), listShows("Combo_Reply_Delay")},
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
    for (const EditorEntry &e : editorRegistry())
        QVERIFY2(rowFor(QString::fromLatin1(e.objectName)), e.objectName);
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
    window->button(EditorWindow::Action::Read)->click();
    QVERIFY(window->isBusy());
    MessageBox::takeRecorded();

    for (auto action : {EditorWindow::Action::Read, EditorWindow::Action::Write, EditorWindow::Action::Open,
                        EditorWindow::Action::Save}) {
        window->button(action)->click();
        QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({QString::fromUtf8(Busy)}));
    }
    window->button(EditorWindow::Action::Close)->click();
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({QString::fromUtf8(row->closeRefusal)}));
    QVERIFY(!window->close());
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({QString::fromUtf8(BusyCloseFrame)}));
    QVERIFY(window->isVisible());
    window->engine().stop();
}

QTEST_MAIN(TestEditorFrame)
#include "tst_editorframe.moc"
