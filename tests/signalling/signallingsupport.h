#pragma once

// Helpers the signalling window tests share: a random background image, which bytes an
// edit changed, opening and leaving grid cells as a user does, and the area transfers
// against the virtual radio.

#include "image/areamap.h"
#include "image/memoryimage.h"
#include "editor/editorwindow.h"
#include "platform/messagebox.h"
#include "platform/timer.h"
#include "support/radiofixture.h"
#include "support/testsupport.h"

#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>
#include <functional>

namespace SignallingSupport {

// Shows the tab that holds `grid`, moves onto the cell from its row's number column and
// returns the overlay that opens there (none on the number column).
inline QWidget *openCell(QTabWidget *tabs, QTableView *grid, int row, int column)
{
    for (int page = 0; page < tabs->count(); ++page) {
        if (tabs->widget(page)->isAncestorOf(grid))
            tabs->setCurrentIndex(page);
    }
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(row, 0));
    grid->setCurrentIndex(grid->model()->index(row, column));
    QCoreApplication::processEvents();
    for (QWidget *w : grid->viewport()->findChildren<QWidget *>()) {
        if (w->isVisible() && (w->objectName() == QLatin1String("Text_Edit") || w->objectName() == QLatin1String("Combo_edit")))
            return w;
    }
    return nullptr;
}

// Back to the row's number column, which closes (and stores) an open overlay.
inline void leaveCell(QTableView *grid)
{
    grid->setCurrentIndex(grid->model()->index(grid->currentIndex().row(), 0));
    QCoreApplication::processEvents();
}


inline QByteArray wholeImage()
{
    return TestSupport::image().rows(0, MemoryImage::Rows);
}

inline void randomise(const Area::Range &range, quint32 seed)
{
    QRandomGenerator random(seed);
    for (int a = range.firstAddress(); a <= range.lastAddress(); ++a)
        TestSupport::image().setAt(a, uint8_t(random.bounded(256)));
}

// Radio addresses whose byte differs from `before`.
inline QList<int> changedAddresses(const QByteArray &before)
{
    QList<int> changed;
    const QByteArray now = wholeImage();
    for (int a = 0; a < now.size(); ++a) {
        if (now.at(a) != before.at(a))
            changed << a;
    }
    return changed;
}

// True when every changed address lies in [first, first + count).
inline bool changedOnlyWithin(const QByteArray &before, int first, int count)
{
    for (int a : changedAddresses(before)) {
        if (a < first || a >= first + count)
            return false;
    }
    return true;
}

inline void click(QWidget *window, const char *button)
{
    auto *b = window->findChild<QPushButton *>(QString::fromLatin1(button));
    QVERIFY2(b, button);
    QTest::mouseClick(b, Qt::LeftButton);
}

// Until the transfer completes or finally fails (between attempts the engine is idle).
inline bool waitForEnd(EditorWindow *window, const std::function<void()> &start, int timeoutMs = 30000)
{
    QSignalSpy finished(&window->engine(), &ExchangeEngine::finished);
    QSignalSpy failed(&window->engine(), &ExchangeEngine::failed);
    start();
    QElapsedTimer clock;
    clock.start();
    while (finished.isEmpty() && failed.isEmpty() && clock.elapsed() < timeoutMs)
        finished.wait(50);
    QCoreApplication::processEvents();
    return !window->isBusy() && finished.size() + failed.size() == 1;
}

inline bool clickAndWait(EditorWindow *window, const char *button)
{
    return waitForEnd(window, [window, button] { click(window, button); });
}

struct Expected
{
    Area::Range read;
    int readBlocks;
    Area::Range written;
    int writeFrames;
    QString readMessage;
    QString readStatus;
    QString writeMessage;
    QString writeStatus;
};

// Reads a patterned radio into the window's rows, writes them back, then lets a silent
// radio exhaust the retries: addresses, counts, order, the rows stored, the texts.
inline void checkTransfers(EditorWindow *window, const Expected &e)
{
    RadioOnCom radio(2);
    QVERIFY(radio.ok());
    radio.fillPattern();
    const QByteArray before = wholeImage();

    QVERIFY(waitForEnd(window, [window] {
        click(window, "Command_read");
        QVERIFY(window->isBusy());
    }));
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({e.readMessage}));
    QCOMPARE(window->statusLine()->text(), e.readStatus);
    QCOMPARE(radio.radio().readRequests(), e.readBlocks);
    QCOMPARE(TestSupport::image().rows(e.read.firstRow, e.read.rowCount()),
             radio.memory(e.read.firstAddress(), e.read.byteCount()));
    QVERIFY(changedOnlyWithin(before, e.read.firstAddress(), e.read.byteCount()));

    // Something of our own in every written row, then back to the radio.
    for (int r = e.written.firstRow; r <= e.written.lastRow; ++r)
        TestSupport::image().setCell(r, r % 16, uint8_t(r));
    radio.radio().resetCounters();
    QVERIFY(clickAndWait(window, "Command_write"));
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({e.writeMessage}));
    QCOMPARE(window->statusLine()->text(), e.writeStatus);
    const std::vector<int> order = radio.radio().writtenAddresses();
    QCOMPARE(int(order.size()), e.writeFrames);
    for (int k = 0; k < e.writeFrames; ++k)
        QCOMPARE(order.at(k), e.written.firstAddress() + 16 * k);
    QCOMPARE(radio.memory(e.written.firstAddress(), e.written.byteCount()),
             TestSupport::image().rows(e.written.firstRow, e.written.rowCount()));

    // A radio that stops answering: three retries, then the failure, nothing stored.
    Timer::setScale(0.02);
    radio.radio().setFaults([] {
        vradio::Faults f;
        f.silent = true;
        return f;
    }());
    radio.radio().resetCounters();
    const QByteArray beforeFailure = wholeImage();
    QVERIFY(clickAndWait(window, "Command_read"));
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Fail connect with transceiver."}));
    QCOMPARE(window->statusLine()->text(), QStringLiteral("Communication fault."));
    QCOMPARE(radio.radio().handshakes(), 4);
    QCOMPARE(wholeImage(), beforeFailure);

    // A read whose last block breaks off stores nothing at all.
    radio.radio().setFaults([&e] {
        vradio::Faults f;
        f.silentAfterReadBlocks = e.readBlocks - 1;
        return f;
    }());
    radio.fillPattern();
    QVERIFY(clickAndWait(window, "Command_read"));
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Fail connect with transceiver."}));
    QCOMPARE(wholeImage(), beforeFailure);
    Timer::setScale(1.0);
}

} // namespace SignallingSupport
