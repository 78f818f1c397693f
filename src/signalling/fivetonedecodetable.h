#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

// The 5-tone decode codes and reply settings. The radio's memory has no place for them
// that anyone knows, so they live outside the image: never read from or written to the
// radio, not in data files, but kept in the document for the rest of the run, so that
// closing and reopening the window finds them again and undo covers them too. The
// document holds them in the byte form below.
class FiveToneDecodeTable
{
public:
    static constexpr int CodeCount = 15;
    static constexpr int FrameCount = 3;
    static constexpr int NoStandard = 255;
    static constexpr int NoFunction = -1;
    // Function byte 1 of a frame: DISP, LED, CTRL, ALERT in bits 0..3; byte 2: options 1..5.
    static constexpr int FlagCount = 4;
    static constexpr int OptionCount = 5;

    struct Code
    {
        int standard = NoStandard;
        std::array<QString, FrameCount> frames;
        // The call function (position in the language table's list) after each frame.
        std::array<int, FrameCount> callFunction{{NoFunction, NoFunction, NoFunction}};
        // Two function bytes per frame: flags, options.
        std::array<uint8_t, 2 * FrameCount> functions{};
        QString transpond;
    };

    // The document's byte form; an empty or unreadable one is the empty table.
    QByteArray toBytes() const;
    static FiveToneDecodeTable fromBytes(const QByteArray &bytes);

    Code &code(int n) { return m_codes.at(n - 1); } // n = 1..15
    const Code &code(int n) const { return m_codes.at(n - 1); }

    bool replyAfterAllFrames = false;
    bool replyWhenIdle = false;
    int replyDelay = 0; // position in "500" ... "2500"

    enum class FrameCheck { Accepted, WrongLength, WrongCharacter };
    // Empty, or five of 0-9 and A-F (either case).
    static FrameCheck check(const QString &text);

    void reset();

private:
    std::array<Code, CodeCount> m_codes;
};
