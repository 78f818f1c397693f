// The optional features editor's own write (handshake, identification, 32 frames sent one
// byte per 10 ms tick, each acknowledged) against the virtual radio with 9600-baud byte
// timing, through the window's Write button, measured against what the sender's ticks
// and the line allow.

#include "timedtransfer.h"

#include "image/document.h"
#include "image/memoryimage.h"
#include "link/protocol.h"
#include "options/optionarea.h"
#include "options/optioneditor.h"
#include "platform/messagebox.h"

#include <QApplication>
#include <QPushButton>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    MessageBox::startRecording();
    Document::instance().initialise([](Document::Contents &c) {
        c.image.fill(0, MemoryImage::Rows - 1, MemoryImage::Empty);
        OptionArea::writeDefaults(c.image);
        return true;
    });

    OptionEditor editor;
    editor.show();
    QPushButton *write = editor.button(EditorWindow::Action::Write);
    const TimedTransfer t = runTimedTransferOn(editor.engine(), [&] {
        write->click();
        return editor.engine().isWriting();
    });
    if (!t.ok) {
        std::fprintf(stderr, "the write did not complete\n");
        return 1;
    }

    const Pacing pacing = Pacing::optionsTransfer();
    constexpr int Frames = 32;
    constexpr int FrameBytes = 21;
    const double byteWireMs = 10.0 * 1000.0 / 9600.0;
    // Bytes the program sends, each on its own sender tick, and what the radio answers.
    const uint64_t sent = Protocol::HandshakeBytes + uint64_t(Frames) * FrameBytes;
    const uint64_t answered = Protocol::IdentificationBytes + Frames;
    const int pacedFrames = 1 + Frames;
    // Each paced frame: its first byte at the 15 ms first tick, every further byte one
    // 10 ms tick later; then the last byte and the reply cross the line.
    const double tickMs = pacedFrames * pacing.firstTickMs + (sent - pacedFrames) * double(pacing.byteTickMs);
    const double floorMs = tickMs + pacedFrames * byteWireMs + answered * byteWireMs;
    // The looser reckoning: every byte a whole tick, plus the first ticks and the answers.
    const double looseMs = sent * double(pacing.byteTickMs) + pacedFrames * pacing.firstTickMs + answered * byteWireMs;

    std::printf("optional features write of %d frames at 9600 baud over a pseudo-terminal\n", Frames);
    std::printf("  bytes on the wire        %llu (expected %llu)\n", (unsigned long long)t.bytes,
                (unsigned long long)(sent + answered));
    std::printf("  measured                 %.3f s\n", t.seconds);
    std::printf("  floor (ticks + line)     %.3f s   ratio %.3f (target <= 1.05)\n", floorMs / 1000,
                t.seconds * 1000 / floorMs);
    std::printf("  bytes x tick + first ticks + answers  %.3f s   ratio %.3f\n", looseMs / 1000,
                t.seconds * 1000 / looseMs);
    return 0;
}
