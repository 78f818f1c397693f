#pragma once

#include "image/areaview.h"
#include "image/fieldtable.h"
#include "image/tonecodec.h"

#include <QString>
#include <QStringList>

class MemoryImage;

// The working (VFO) settings of display band A (0x0F00) or B (0x0F20): 32 bytes each,
// the same layout for both. Bytes 14, 15 and 28 to 31 are the radio's own and are
// carried as they are.
namespace BandRecord {

enum class Band { A, B };

struct Offset
{
    static constexpr int frequency = 0;   // 8 digits, one per byte: 3 of MHz, 5 of the fraction
    static constexpr int offsetGap = 8;   // written 0 with the offset
    static constexpr int offset = 9;      // 5 digits: tens and units of MHz, then 3 of kHz
    static constexpr int rxTone = 16;     // tone code, low byte first
    static constexpr int txTone = 18;     // tone code, low byte first
    static constexpr int signalCode = 20;
    static constexpr int speakMute = 21;
    static constexpr int optionalSignal = 22;
    static constexpr int scrambler = 23;
    static constexpr int bandwidth = 24;
    static constexpr int power = 25;
    static constexpr int shiftDirection = 26;
    static constexpr int step = 27;
};

constexpr int Bytes = 32;
constexpr int OffsetCount = 2000;
constexpr int OffsetStepKHz = 50;

AreaView view(MemoryImage &image, Band band);
// For reading (the document's image).
inline const AreaView view(const MemoryImage &image, Band band)
{
    return view(const_cast<MemoryImage &>(image), band);
}

// The list settings of bytes 20 to 27.
const FieldTable &listFields();

// "136.02500": the three MHz digits, ".", the five fraction digits; a byte of 10 or more
// adds nothing.
QString frequencyText(const AreaView &record);
// The band is not stored: a record whose first digit is 1 is VHF, any other UHF.
bool isVhf(const AreaView &record);

// "00.000MHZ" ... "99.950MHZ".
const QStringList &offsetEntries();
// The offset digits (bytes 8 to 13) read as kHz and taken to the nearest 50 kHz step (a
// tie to the even step), at most the last.
int offsetPosition(const AreaView &record);
void setOffsetPosition(AreaView &record, int position);

// "OFF" / "关", then the tone table's entries.
QStringList toneEntries(bool chinese);
// The entry a stored tone selects: 0 when off (either byte 0xFF included), -1 for a
// code no entry holds (it then shows as toneText()).
int tonePosition(const AreaView &record, int offset);
QString toneText(const AreaView &record, int offset);
void setTonePosition(AreaView &record, int offset, int position);

// The frequency limits of a band (whole MHz) and how the range shows: "136 - 174.9950".
struct Limits
{
    int lower = 0;
    int upper = 0;
};
Limits vhfLimits();
Limits uhfLimits();
QString rangeText(const Limits &limits);

// What choosing a band does to the frequency text: a whole MHz outside [lower, upper)
// gives way to the band's first frequency, "400.02500".
QString frequencyForBand(const QString &text, const Limits &limits);

// The frequency check when the user leaves the box: a value outside the limits becomes
// the band's edge ("lower.02500" or "(upper - 1).62500", `outOfRange` set), then the text
// is put on the 250 Hz grid ("136.0125" -> "136.01250", "145" -> "145.00000").
struct CheckedFrequency
{
    QString text;
    bool outOfRange = false;
};
CheckedFrequency checkFrequency(const QString &typed, const Limits &limits);
// The numeric value of a typed text as the radio's users type it: leading digits, an
// optional fraction; the rest is ignored. In units of 10^-8 MHz.
qint64 typedValue(const QString &text);
QString normaliseFrequency(const QString &text);
// Stores a normalised text's digits in bytes 0 to 7. False, and nothing stored, when it
// has no three-digit MHz part.
bool storeFrequency(AreaView &record, const QString &normalised);

} // namespace BandRecord
