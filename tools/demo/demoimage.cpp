#include "demoimage.h"

#include "channels/channelrecord.h"
#include "image/areamap.h"
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

// The FM area has no model in the program yet: until it does, the presets are written
// here as that area keeps them: the frequency as eight decimal digits, one per byte
// (hundreds of MHz down to 10 Hz), and the name centred in bytes 8 to 15.
void setFmPreset(MemoryImage &image, int preset, int tenthsMHz, const char *name)
{
    const int row = Area::Fm.firstRow + preset;
    image.fill(row, row, MemoryImage::Empty);
    const int digits[8] = {tenthsMHz / 1000, tenthsMHz / 100 % 10, tenthsMHz / 10 % 10, tenthsMHz % 10, 0, 0, 0, 0};
    for (int i = 0; i < 8; ++i)
        image.setCell(row, i, uint8_t(digits[i]));
    const QByteArray n(name);
    static const int start[7] = {0, 11, 11, 10, 10, 9, 8};
    for (int i = 0; i < n.size(); ++i)
        image.setCell(row, start[n.size()] + i, uint8_t(n.at(i)));
}

void clearFmPreset(MemoryImage &image, int preset)
{
    const int row = Area::Fm.firstRow + preset;
    image.fill(row, row, MemoryImage::Empty);
    for (int i = 0; i < 8; ++i)
        image.setCell(row, i, 0);
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
        clearFmPreset(image, preset);
    setFmPreset(image, 0, 876, "NEWS");
    setFmPreset(image, 1, 943, "JAZZ");
    setFmPreset(image, 2, 1007, "CLASIC");
    setFmPreset(image, 3, 1041, "ROCK");
    setFmPreset(image, 4, 1059, "CITY");
}
