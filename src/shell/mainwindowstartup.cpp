// The main window's start-up sequence.

#include "shell/mainwindow.h"

#include "alignment/alignmenttable.h"
#include "image/bandlimits.h"
#include "image/document.h"
#include "link/identificationexchange.h"
#include "link/portscan.h"
#include "platform/messagebox.h"
#include "platform/screen.h"
#include "shell/editorregistry.h"
#include "shell/imageinitialisation.h"
#include "shell/shelltexts.h"
#include "texts/language.h"
#include "texts/languagetable.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace {

constexpr int MinimumScreenWidthTwips = 15300;
constexpr int MinimumScreenHeightTwips = 11500;

} // namespace

void MainWindow::startUp()
{
    // 1. Titles and the extra status texts come from the caption pairs (ShellText).
    // 2. The handshake command is a constant of the exchange engine.
    // 3. English, and the string table that goes with it.
    Language::setChinese(false);
    LanguageTable::rebuild();
    // 4. Panel widths, and panel 1 starts empty until the labels are applied.
    sizeStatusPanels();
    statusPanel(1)->clear();
    // 5. Menus, status labels and title in the current language.
    applyLanguage();
    // 6. As large as the screen. The geometry is set as well because a desktop without a
    // window manager ignores the maximise request.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    showMaximized();
    // 7. Advice for screens below 1024 x 768.
    showScreenAdviceIfSmall();
    // 8. Silent port scan.
    scanStartupPort();
    // 9. Start-up band limits; the tone and value tables are built on first use.
    BandLimits::current() = BandLimits::startup();
    BandLimits::reported() = BandLimits::startup();
    // 10. Ask the radio who it is; this runs on in the background, one handshake byte per
    // tick while the steps below hold the thread (the engine re-arms its byte timer from
    // each tick, so none follows the one before sooner than a tick).
    m_identification->start();
    // 11. The memory image and the defaults of every area.
    // They are the document's first state, not a step that Undo could take back.
    Document::instance().initialise([](Document::Contents &contents) {
        initialiseMemoryImage(contents.image);
        contents.alignment = Alignment::Table::defaults();
        contents.fiveToneDecode.clear();
        return true;
    });
    // 12. The optional-features editor.
    showEditor(EditorName::Options);
}

void MainWindow::showScreenAdviceIfSmall()
{
    const QSize twips = Screen::sizeTwips();
    if (twips.height() < MinimumScreenHeightTwips || twips.width() < MinimumScreenWidthTwips) {
        MessageBox::show(this, QString::fromUtf8(ShellText::ScreenAdviceTitle),
                         QString::fromUtf8(ShellText::ScreenAdvice));
    }
}
