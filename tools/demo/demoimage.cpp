#include "demoimage.h"

#include "channels/channelrecord.h"
#include "image/areamap.h"
#include "image/areaview.h"
#include "image/digitfrequency.h"
#include "image/memoryimage.h"
#include "image/tonecodec.h"
#include "shell/imageinitialisation.h"
#include "signalling/fivetonestandards.h"

#include <QString>

namespace {

struct DemoChannel
{
    int number;
    const char *rx;
    const char *tx;        // nullptr: receive only
    const char *rxTone;    // tone table text or a CTCSS value; "OFF" for none
    const char *txTone;
    bool narrow;
    bool low;
    bool scan;
    const char *name;
};

// The virtual radio reports 136-174 and 400-480 MHz; every channel lies inside.
const DemoChannel Channels[] = {
    {0, "146.52", "146.52", "OFF", "OFF", false, false, true, "CALL2M"},
    {1, "145.5", "145.5", "OFF", "OFF", false, false, true, "S20"},
    {2, "145.65", "145.05", "OFF", "88.5", false, false, true, "RPT1"},
    {3, "146.94", "146.34", "100.0", "100.0", false, false, true, "RPT2"},
    {4, "147.12", "147.72", "OFF", "103.5", false, false, true, "RPT3"},
    {5, "144.8", "144.8", "OFF", "OFF", true, true, false, "APRS"},
    {6, "145.8", nullptr, "OFF", "OFF", false, false, false, "ISS"},
    {7, "162.55", nullptr, "OFF", "OFF", true, false, false, "WX1"},
    {8, "156.8", "156.8", "OFF", "OFF", false, true, true, "MAR16"},
    {10, "433.5", "433.5", "OFF", "OFF", false, false, true, "UHFCAL"},
    {11, "446.00625", "446.00625", "OFF", "OFF", true, true, true, "PMR1"},
    {12, "446.09375", "446.09375", "OFF", "OFF", true, true, true, "PMR8"},
    {13, "439.95", "430.35", "D023N", "D023N", false, false, true, "RPTU1"},
    {14, "438.8", "431.2", "D754I", "D754I", false, false, true, "RPTU2"},
    {15, "145.975", "435.1", "67.0", "OFF", false, false, false, "SAT"},
    {16, "440.1", "445.1", "D023N", "88.5", false, false, true, "XTONE"},
    {17, "462.5625", "467.5625", "141.3", "141.3", true, true, true, "GMRS1"},
    {199, "433.0", "433.0", "OFF", "OFF", false, false, true, "LAST"},
};

ToneCode tone(const char *text)
{
    return *encodeToneText(QString::fromLatin1(text));
}

// The FM presets have no area model in the program yet. Until they do, a preset is
// written here as the FM editor stores one: the frequency in digits (the shared codec),
// the name centred in bytes 8 to 15; an empty preset is eight zero digits and no name.
constexpr int FmNameOffset = DigitFrequency::Bytes;
constexpr int FmNameBytes = 8;

void setFmPreset(MemoryImage &image, int preset, qint64 hz, const char *name)
{
    AreaView row(image, Area::Fm.firstAddress() + preset * MemoryImage::Columns, MemoryImage::Columns);
    row.setBytes(0, hz ? DigitFrequency::encode(hz) : QByteArray(DigitFrequency::Bytes, '\0'));
    row.fill(FmNameOffset, FmNameBytes, MemoryImage::Empty);
    const QByteArray n(name);
    // 6 characters start at byte 8, 5 at 9, 3 or 4 at 10, 1 or 2 at 11.
    static const int start[7] = {0, 11, 11, 10, 10, 9, 8};
    if (!n.isEmpty())
        row.setBytes(start[n.size()], n);
}

} // namespace

void buildDemoImage(MemoryImage &image)
{
    initialiseMemoryImage(image);
    FiveToneStandards::writeTables(image);
    for (int ch = 0; ch < ChannelRecord::Count; ++ch)
        clearChannel(image, ch);
    for (const DemoChannel &c : Channels) {
        ChannelRecord rec(image, c.number);
        rec.create();
        rec.setRxFrequency(QString::fromLatin1(c.rx));
        rec.setRxTone(tone(c.rxTone));
        if (c.tx) {
            rec.setTxFrequency(QString::fromLatin1(c.tx));
            rec.setTxTone(tone(c.txTone));
        } else {
            rec.clearTxFrequency();
        }
        rec.setBandwidthPosition(c.narrow ? 1 : 0);
        rec.setPowerPosition(c.low ? 1 : 0);
        rec.setScanAddPosition(c.scan ? 1 : 0);
        rec.setName(QString::fromLatin1(c.name));
    }

    for (int preset = 0; preset < Area::Fm.rowCount(); ++preset)
        setFmPreset(image, preset, 0, "");
    setFmPreset(image, 0, 87600000, "NEWS");
    setFmPreset(image, 1, 94300000, "JAZZ");
    setFmPreset(image, 2, 100700000, "CLASIC");
    setFmPreset(image, 3, 104100000, "ROCK");
    setFmPreset(image, 4, 105900000, "CITY");
}
