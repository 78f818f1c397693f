#pragma once

#include "image/areaview.h"
#include "image/fieldtable.h"

#include <QString>

class MemoryImage;

// The radio's menu settings: 256 bytes at 0x0E00. Most settings are single bytes holding
// a list position; the power-on message lines and the ANI and PTT-ID digit rows sit at
// the end. Bytes that no row below names are carried as they are.
namespace OptionArea {

struct Offset
{
    static constexpr int tdr = 0x00;
    static constexpr int squelch = 0x02;
    static constexpr int timeOut = 0x05;
    static constexpr int timeOutAlert = 0x06;
    static constexpr int backLightTime = 0x08;
    static constexpr int beep = 0x09;
    static constexpr int dtmfSideTone = 0x0E;
    static constexpr int busyLockOut = 0x0F;
    static constexpr int scanAdd = 0x10;
    static constexpr int priorityScan = 0x11;
    static constexpr int priorityChannel = 0x12;
    static constexpr int scanResume = 0x13;
    static constexpr int pttId = 0x16;
    static constexpr int pttIdDelay = 0x17;
    static constexpr int alarmType = 0x19;
    static constexpr int alarmChannel = 0x1A;
    static constexpr int ringTime = 0x1B;
    static constexpr int displayA = 0x1D;
    static constexpr int displayB = 0x1E;
    static constexpr int autoLock = 0x1F;
    static constexpr int powerOnDisplay = 0x20;
    static constexpr int waitLight = 0x21;
    static constexpr int receiveLight = 0x22;
    static constexpr int transmitLight = 0x23;
    static constexpr int aniLength = 0x29;
    static constexpr int relaySignal = 0x2A;
    static constexpr int relayCondition = 0x2B;

    static constexpr int messageUpper = 0xC0; // 6 message characters
    static constexpr int messageLower = 0xC6; // 6 message characters
    static constexpr int ani = 0xD0;          // 16 DTMF digit codes
    static constexpr int pttIdBegin = 0xE0;   // 16 DTMF digit codes
    static constexpr int pttIdEnd = 0xF0;     // 16 DTMF digit codes
};

constexpr int MessageLength = 6;
constexpr int DigitRowLength = 16;

AreaView view(MemoryImage &image);
// For reading (the document's image).
inline const AreaView view(const MemoryImage &image)
{
    return view(const_cast<MemoryImage &>(image));
}

// Every list setting, in the order the editor shows and decodes them.
const FieldTable &listFields();

// A power-on message line as shown: its characters, unmapped bytes dropped, spaces at
// both ends removed.
QString messageLine(const AreaView &area, int offset);
// The line's six bytes become spaces, then the trimmed text (at most six characters)
// goes in centred, upper-cased.
void setMessageLine(AreaView &area, int offset, const QString &text);

// A DTMF digit row as shown: its digits, empty positions dropped.
QString digitRow(const AreaView &area, int offset);
// The row's sixteen bytes become empty, then the trimmed text goes in from the first,
// one DTMF code per character (at most sixteen).
void setDigitRow(AreaView &area, int offset, const QString &text);

// The checks an ANI must pass when the user leaves it, in their order.
enum class AniCheck { Passed, Length, Range };
// Length 3 to 5 first; then, compared as text, from "00000" to "99999".
AniCheck checkAni(const QString &text);

// The defaults of the option area and of both band records; bytes they do not name keep
// their values. Start-up runs it, and the editor's Default.
void writeDefaults(MemoryImage &image);

} // namespace OptionArea
