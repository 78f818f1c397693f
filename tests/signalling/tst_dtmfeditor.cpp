#include "image/areamap.h"
#include "image/memoryimage.h"
#include "platform/messagebox.h"
#include "platform/timer.h"
#include "shell/imageinitialisation.h"
#include "shell/radiostatus.h"
#include "signalling/dtmfarea.h"
#include "signalling/dtmfeditor.h"
#include "texts/language.h"
#include "signallingsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <functional>
#include <memory>

using namespace SignallingSupport;

namespace {

constexpr int Base = 0x2900;

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

QByteArray padded(QByteArray b, int size = 16)
{
    return b.append(QByteArray(size - b.size(), char(0xFF)));
}

QByteArray areaRow(int offset)
{
    return TestSupport::image().rows(MemoryImage::rowOf(Base + offset), 1);
}

uint8_t areaByte(int offset)
{
    return TestSupport::image().at(Base + offset);
}

} // namespace

class TestDtmfEditor : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void defaults();
    void digitBoxes_data();
    void digitBoxes();
    void storedValuesAsShown_data();
    void storedValuesAsShown();
    void controlBoxAndRights();
    void everyControlChangesOnlyItsOwnBytes_data();
    void everyControlChangesOnlyItsOwnBytes();
    void captionsKeepTheOpeningLanguage();
    void transfers();

private:
    template <typename T>
    T *child(const QString &name) const
    {
        T *w = m_editor->findChild<T *>(name);
        if (!w)
            qWarning("no control %s", qPrintable(name));
        return w;
    }
    void typeInto(const QString &box, const QString &keys);
    void leave();
    void choose(const QString &list, int position);

    std::unique_ptr<DtmfEditor> m_editor;
};

void TestDtmfEditor::init()
{
    TestSupport::resetState();
    initialiseMemoryImage(TestSupport::image());
    m_editor = std::make_unique<DtmfEditor>();
    m_editor->resize(1100, 800);
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_editor.get()));
}

void TestDtmfEditor::cleanup()
{
    m_editor.reset();
    TestSupport::endState();
}

void TestDtmfEditor::typeInto(const QString &box, const QString &keys)
{
    auto *edit = child<QLineEdit>(box);
    QVERIFY(edit);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, keys);
}

void TestDtmfEditor::leave()
{
    child<QPushButton>(QStringLiteral("Command_read"))->setFocus();
    QCoreApplication::processEvents();
}

void TestDtmfEditor::choose(const QString &list, int position)
{
    auto *combo = child<QComboBox>(list);
    QVERIFY(combo);
    // A choice is what the user makes in the list; moving the selection by key is one.
    combo->setFocus();
    const int steps = position - combo->currentIndex();
    for (int i = 0; i < std::abs(steps); ++i)
        QTest::keyClick(combo, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
    QCOMPARE(combo->currentIndex(), position);
}

void TestDtmfEditor::defaults()
{
    auto check = [] {
        QByteArray area(Area::Dtmf.byteCount(), char(0xFF));
        auto put = [&area](int offset, const QByteArray &b) { area.replace(offset, b.size(), b); };
        put(0x00, bytes({2, 10, 2, 10, 2}));
        put(0xE0, bytes({3, 10, 3, 10, 3}));
        put(0xF0, bytes({3, 3}));
        put(0x100, bytes({2, 10, 2}));
        put(0x110, bytes({3, 10, 3}));
        put(0x120, bytes({1, 1, 9}));
        put(0x130, bytes({5, 10, 5}));
        put(0x140, bytes({6, 6, 6}));
        put(0x150, bytes({7, 7, 7}));
        put(0x1D0, bytes({6, 10, 6, 10, 6}));
        put(0x1E0, bytes({7, 10, 7, 10, 7}));
        put(0x1F0, bytes({1, 0x1F, 0x03, 0, 11, 12, 4, 79}));
        QCOMPARE(TestSupport::image().rows(Area::Dtmf.firstRow, Area::Dtmf.rowCount()), area);
    };
    check();
    randomise(Area::Dtmf, 7);
    const QByteArray before = wholeImage();
    click(m_editor.get(), "Command_def");
    check();
    QVERIFY(changedOnlyWithin(before, Area::Dtmf.firstAddress(), Area::Dtmf.byteCount()));
    QCOMPARE(child<QLineEdit>(QStringLiteral("Text_tx_Encode0"))->text(), QStringLiteral("20202"));
    QCOMPARE(child<QComboBox>(QStringLiteral("Combo_Enc_ys1"))->currentText(), QStringLiteral("80"));
    QCOMPARE(child<QComboBox>(QStringLiteral("Combo_Dec_Res_Time"))->currentText(), QStringLiteral("8000"));
    QCOMPARE(child<QComboBox>(QStringLiteral("Combo_Dec_Space_Code"))->currentText(), QStringLiteral("#"));
    QVERIFY(MessageBox::takeRecordedTexts().isEmpty());
}

void TestDtmfEditor::digitBoxes_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("shownAfterLeaving");

    QTest::newRow("16 digits, 17th refused") << "Text_tx_Encode3" << 0x30 << "1234567890*#ABCD5"
                                             << bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0})
                                             << "1234567890*#ABCD";
    QTest::newRow("cleared") << "Text_tx_Encode0" << 0x00 << "" << padded({}) << "";
    QTest::newRow("a is A") << "Text_XC" << 0x100 << "a" << padded(bytes({13})) << "A";
    QTest::newRow("D and d are 0") << "Text_MID" << 0x1D0 << "Dd" << padded(bytes({0, 0})) << "DD";
    QTest::newRow("keys without a digit dropped") << "Text_KJ" << 0x150 << "1e x2F." << padded(bytes({1, 2})) << "12";
    QTest::newRow("last encode code") << "Text_tx_Encode14" << 0xE0 << "#9" << padded(bytes({12, 9})) << "#9";
}

void TestDtmfEditor::digitBoxes()
{
    QFETCH(QString, box);
    QFETCH(int, offset);
    QFETCH(QString, keys);
    QFETCH(QByteArray, stored);
    QFETCH(QString, shownAfterLeaving);

    const QByteArray before = wholeImage();
    typeInto(box, keys);
    QCOMPARE(areaRow(offset), stored);
    QVERIFY(changedOnlyWithin(before, Base + offset, 16));
    leave();
    QCOMPARE(child<QLineEdit>(box)->text(), shownAfterLeaving);
    QCOMPARE(areaRow(offset), stored);
}

void TestDtmfEditor::storedValuesAsShown_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("shown");

    QTest::newRow("0x00 is D, 0x10 and up nothing")
        << 0x20 << bytes({0x00, 0x10, 5, 0xFE, 10}) << "Text_tx_Encode2" << "D50";
    QTest::newRow("on time 0xFF is 2000") << 0xF0 << bytes({0xFF}) << "Combo_Enc_ys1" << "2000";
    QTest::newRow("off time 195 is 2000") << 0xF1 << bytes({195}) << "Combo_Enc_ys2" << "2000";
    QTest::newRow("delay beyond its list") << 0x1F6 << bytes({40}) << "Combo_Dec_Proc_Ys" << "4000";
    QTest::newRow("reset beyond its list") << 0x1F7 << bytes({0xFF}) << "Combo_Dec_Res_Time" << "8000";
    QTest::newRow("group code C") << 0x1F4 << bytes({15}) << "Combo_Dec_qh" << "C";
    QTest::newRow("space code not offered") << 0x1F5 << bytes({5}) << "Combo_Dec_Space_Code" << "";
}

void TestDtmfEditor::storedValuesAsShown()
{
    QFETCH(int, offset);
    QFETCH(QByteArray, stored);
    QFETCH(QString, control);
    QFETCH(QString, shown);

    for (int i = 0; i < stored.size(); ++i)
        TestSupport::image().setAt(Base + offset + i, uint8_t(stored.at(i)));
    const QByteArray before = wholeImage();
    m_editor->redisplay();
    if (auto *combo = m_editor->findChild<QComboBox *>(control))
        QCOMPARE(combo->currentText(), shown);
    else
        QCOMPARE(child<QLineEdit>(control)->text(), shown);
    // Showing never stores.
    QCOMPARE(wholeImage(), before);
}

void TestDtmfEditor::controlBoxAndRights()
{
    auto *control = child<QCheckBox>(QStringLiteral("Check_Ctrl_En"));
    const QStringList controlled{"Text_MID", "Text_SID", "Check_M0", "Check_M4", "Check_S2"};
    QVERIFY(control->isChecked());
    const QByteArray ids = TestSupport::image().rows(MemoryImage::rowOf(Base + 0x1D0), 2);
    QTest::mouseClick(control, Qt::LeftButton);
    QCOMPARE(areaByte(0x1F0), uint8_t(0));
    for (const QString &name : controlled)
        QVERIFY2(!child<QWidget>(name)->isEnabled(), qPrintable(name));
    QCOMPARE(TestSupport::image().rows(MemoryImage::rowOf(Base + 0x1D0), 2), ids);
    QCOMPARE(areaByte(0x1F1), uint8_t(0x1F));
    QCOMPARE(areaByte(0x1F2), uint8_t(0x03));
    QTest::mouseClick(control, Qt::LeftButton);
    QCOMPARE(areaByte(0x1F0), uint8_t(1));
    for (const QString &name : controlled)
        QVERIFY2(child<QWidget>(name)->isEnabled(), qPrintable(name));

    // A stored nonzero other than 1 still reads as on; the area decode greys by it.
    TestSupport::image().setAt(Base + 0x1F0, 0);
    m_editor->redisplay();
    QVERIFY(!child<QWidget>(QStringLiteral("Text_SID"))->isEnabled());
    TestSupport::image().setAt(Base + 0x1F0, 0x80);
    m_editor->redisplay();
    QVERIFY(control->isChecked());
    QVERIFY(child<QWidget>(QStringLiteral("Text_SID"))->isEnabled());
}

void TestDtmfEditor::everyControlChangesOnlyItsOwnBytes_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("mask"); // single bytes: the bits the control may change; 0: a whole row
    QTest::addColumn<int>("action"); // 0 type, 1 click, 2 choose

    for (int n = 0; n < 15; ++n)
        QTest::addRow("encode %d", n + 1) << QStringLiteral("Text_tx_Encode%1").arg(n) << 16 * n << 0 << 0;
    const struct
    {
        const char *name;
        int offset;
    } rows[] = {{"Text_XC", 0x100}, {"Text_JT", 0x110}, {"Text_BJ", 0x120}, {"Text_YY", 0x130},
                {"Text_YB", 0x140}, {"Text_KJ", 0x150}, {"Text_MID", 0x1D0}, {"Text_SID", 0x1E0}};
    for (const auto &r : rows)
        QTest::newRow(r.name) << r.name << r.offset << 0 << 0;
    QTest::newRow("control") << "Check_Ctrl_En" << 0x1F0 << 0xFF << 1;
    for (int i = 0; i < 5; ++i) {
        QTest::addRow("master right %d", i) << QStringLiteral("Check_M%1").arg(i) << 0x1F1 << (1 << i) << 1;
        QTest::addRow("vice right %d", i) << QStringLiteral("Check_S%1").arg(i) << 0x1F2 << (1 << i) << 1;
    }
    QTest::newRow("rx disable") << "Check_RX" << 0x1F3 << 0x01 << 1;
    QTest::newRow("tx disable") << "Check_Tx" << 0x1F3 << 0x02 << 1;
    QTest::newRow("on time") << "Combo_Enc_ys1" << 0xF0 << 0xFF << 2;
    QTest::newRow("off time") << "Combo_Enc_ys2" << 0xF1 << 0xFF << 2;
    QTest::newRow("group") << "Combo_Dec_qh" << 0x1F4 << 0xFF << 2;
    QTest::newRow("space") << "Combo_Dec_Space_Code" << 0x1F5 << 0xFF << 2;
    QTest::newRow("delay") << "Combo_Dec_Proc_Ys" << 0x1F6 << 0xFF << 2;
    QTest::newRow("reset") << "Combo_Dec_Res_Time" << 0x1F7 << 0xFF << 2;
}

void TestDtmfEditor::everyControlChangesOnlyItsOwnBytes()
{
    QFETCH(QString, control);
    QFETCH(int, offset);
    QFETCH(int, mask);
    QFETCH(int, action);

    randomise(Area::Dtmf, quint32(qHash(control)));
    // The controlled boxes must be usable.
    TestSupport::image().setAt(Base + 0x1F0, 1);
    m_editor->redisplay();
    const QByteArray before = wholeImage();
    const uint8_t old = areaByte(offset);
    if (action == 0) {
        typeInto(control, QStringLiteral("*1#"));
        QCOMPARE(areaRow(offset), padded(bytes({11, 1, 12})));
        QVERIFY(changedOnlyWithin(before, Base + offset, 16));
    } else if (action == 1) {
        child<QCheckBox>(control)->click();
        QCOMPARE(changedAddresses(before), QList<int>({Base + offset}));
        QCOMPARE(uint8_t(areaByte(offset) & ~mask), uint8_t(old & ~mask));
    } else {
        auto *combo = child<QComboBox>(control);
        const int target = combo->currentIndex() == 1 ? 2 : 1;
        choose(control, target);
        QVERIFY(changedOnlyWithin(before, Base + offset, 1));
        m_editor->redisplay();
        QCOMPARE(combo->currentIndex(), target);
    }
}

void TestDtmfEditor::captionsKeepTheOpeningLanguage()
{
    Language::setChinese(true);
    DtmfEditor chinese;
    QCOMPARE(chinese.windowTitle(), QStringLiteral("DTMF 编解码参数编辑"));
    QCOMPARE(chinese.findChild<QPushButton *>(QStringLiteral("Command_write"))->text(), QStringLiteral("写  入"));
    QCOMPARE(chinese.findChild<QCheckBox *>(QStringLiteral("Check_RX"))->text(), QStringLiteral("接收禁止"));
    QCOMPARE(chinese.findChild<QLineEdit *>(QStringLiteral("Text_XC"))->accessibleName(), QStringLiteral("巡 查 码"));
    Language::setChinese(false);
    QCOMPARE(chinese.windowTitle(), QStringLiteral("DTMF 编解码参数编辑"));
    QCOMPARE(m_editor->windowTitle(), QStringLiteral("DTMF Encode/Decode "));
    QCOMPARE(child<QLineEdit>(QStringLiteral("Text_SID"))->accessibleName(), QStringLiteral("Vice Control ID"));
    // A message raised from the Chinese window follows the flag.
    RadioOnCom radio(3);
    radio.radio().setFaults([] {
        vradio::Faults f;
        f.silent = true;
        return f;
    }());
    click(&chinese, "Command_read");
    click(&chinese, "Command_open");
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({TestSupport::BusyText}));
    chinese.engine().stop();
}

void TestDtmfEditor::transfers()
{
    checkTransfers(m_editor.get(),
                   {Area::Dtmf, 8, Area::Dtmf, 32, "Complete reading the data from transceiver.",
                    "Read DTMF Signal parameters in gear. ",
                    "Complete writing DTMF Signal parameters to the transceiver.",
                    "Complete writing DTMF Signal parameters "});
    // The read showed what it stored.
    QCOMPARE(child<QLineEdit>(QStringLiteral("Text_tx_Encode0"))->text(),
             DtmfArea::digits(DtmfArea::view(TestSupport::image()), 0));
}

QTEST_MAIN(TestDtmfEditor)
#include "tst_dtmfeditor.moc"
