#include "demoimage.h"

#include "alignment/alignmenttable.h"
#include "channels/channelrecord.h"
#include "fm/fmpresets.h"
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

    for (int preset = 0; preset < FmPreset::Count; ++preset)
        FmPreset::setEmpty(image, preset);
    FmPreset::store(image, 0, 87600000, QStringLiteral("NEWS"));
    FmPreset::store(image, 1, 94300000, QStringLiteral("JAZZ"));
    FmPreset::store(image, 2, 100700000, QStringLiteral("CLASIC"));
    FmPreset::store(image, 3, 104100000, QStringLiteral("ROCK"));
    FmPreset::store(image, 4, 105900000, QStringLiteral("CITY"));

    // The demo radio left the factory aligned: it holds the alignment window's defaults at
    // the alignment address, so a Read there shows values and not an erased block.
    Alignment::Table::prepareDefaults();
    image.setRows(Area::AlignmentAddress / MemoryImage::Columns, Alignment::Table::defaults());
}
