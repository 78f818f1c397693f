#include "signalling/fivetonearea.h"

#include "image/areamap.h"
#include "image/digitcodes.h"
#include "image/memoryimage.h"
#include "signalling/fivetonestandards.h"
#include "signalling/fivetonetexts.h"
#include "signalling/signallinglists.h"

namespace {

using O = FiveToneArea::Offset;

QStringList periods(bool) { return SignallingLists::steps(20, 10, 19); }
QStringList delays(bool) { return SignallingLists::steps(0, 10, 101); }
QStringList resetTimes(bool) { return SignallingLists::steps(100, 100, 80); }
QStringList hexes(bool) { return FiveToneArea::hexDigits(); }
QStringList names(bool) { return FiveToneArea::standardNames(); }

struct StandardFields
{
    ListField period, group, repeat;
};

const std::vector<StandardFields> &standardFields()
{
    static const std::vector<StandardFields> fields = [] {
        std::vector<StandardFields> out;
        for (int s = 0; s < FiveToneArea::StandardCount; ++s) {
            out.push_back({{"period", O::period(s), 0xFF, 0, ListEntries::generated(&periods)},
                           {"groupTone", O::groupTone(s), 0xFF, 0, ListEntries::generated(&hexes),
                            ListField::NoDefault, ListField::Beyond::Blank},
                           {"repeatTone", O::repeatTone(s), 0xFF, 0, ListEntries::generated(&hexes),
                            ListField::NoDefault, ListField::Beyond::Blank}});
        }
        return out;
    }();
    return fields;
}

constexpr ListField::Beyond Last = ListField::Beyond::LastEntry;

const FieldTable &settings()
{
    static const FieldTable t{
        {"delay1", O::delay(0), 0xFF, 0, ListEntries::generated(&delays), 20, Last, &FiveToneText::Delays[0]},
        {"delay2", O::delay(1), 0xFF, 0, ListEntries::generated(&delays), 20, Last, &FiveToneText::Delays[1]},
        {"delay3", O::delay(2), 0xFF, 0, ListEntries::generated(&delays), 20, Last, &FiveToneText::Delays[2]},
        {"firstToneExtension", O::firstToneExtension, 0xFF, 0, ListEntries::generated(&delays), 0, Last,
         &FiveToneText::Extension},
        {"decodeStandard", O::decodeStandard, 0xFF, 0, ListEntries::generated(&names), 0, ListField::Beyond::Blank,
         &FiveToneText::DecodeStandard},
        {"resetTime", O::resetTime, 0xFF, 0, ListEntries::generated(&resetTimes), 59, Last, &FiveToneText::ResetTime},
    };
    return t;
}

} // namespace

namespace FiveToneArea {

AreaView view(MemoryImage &image)
{
    return AreaView(image, Area::FiveToneCodes);
}

const ListField &period(int standard) { return standardFields().at(standard).period; }
const ListField &groupTone(int standard) { return standardFields().at(standard).group; }
const ListField &repeatTone(int standard) { return standardFields().at(standard).repeat; }
const ListField &delay(int k) { return settings().at(k); }
const ListField &decodeStandard() { return settings()[4]; }
const ListField &resetTime() { return settings()[5]; }
const FieldTable &settingsFields() { return settings(); }

QStringList standardNames()
{
    QStringList out;
    for (int s = 0; s < StandardCount; ++s)
        out << FiveToneStandards::name(s);
    return out;
}

QStringList hexDigits()
{
    QStringList out;
    for (int d = 0; d < 16; ++d)
        out << hexCodeToDigit(d);
    return out;
}

QString frameText(const AreaView &area, int n, int f)
{
    QString text;
    for (int i = 0; i < FrameDigits; ++i)
        text += hexCodeToDigit(area.byte(Offset::frame(n, f) + i));
    return text;
}

bool storeFrame(AreaView &area, int n, int f, const QString &text)
{
    const QString trimmed = text.trimmed();
    if (!trimmed.isEmpty() && trimmed.size() != FrameDigits)
        return false;
    area.fill(Offset::frame(n, f), FrameDigits, NoDigit);
    for (int i = 0; i < trimmed.size(); ++i)
        area.setByte(Offset::frame(n, f) + i, hexDigitToCode(trimmed.at(i)));
    return true;
}

void writeDefaults(MemoryImage &image)
{
    FiveToneStandards::writeTables(image);
    AreaView area = view(image);
    for (int s = 0; s < StandardCount; ++s) {
        area.setByte(Offset::period(s), 5);
        area.setByte(Offset::groupTone(s), 10);
        area.setByte(Offset::repeatTone(s), 14);
    }
    const struct
    {
        const char *name;
        uint8_t period;
    } periods[] = {{"CCIR1", 8}, {"EEA", 2}, {"EIA", 1}, {"EURO", 8}, {"MODAT", 2}};
    for (const auto &p : periods)
        area.setByte(Offset::period(FiveToneStandards::indexOf(QString::fromLatin1(p.name))), p.period);

    area.fill(0x100, 0x100, 0xFF);
    const struct
    {
        int n;
        const char *frames[FrameCount];
        uint8_t standard;
    } codes[] = {{1, {"12345", "34567", "56789"}, 0}, {15, {"23456", "45678", "67890"}, 14}};
    for (const auto &c : codes) {
        for (int f = 0; f < FrameCount; ++f)
            storeFrame(area, c.n, f, QString::fromLatin1(c.frames[f]));
        area.setByte(Offset::encodeStandard(c.n), c.standard);
    }
    Fields::writeDefaults(area, settings());
    area.setByte(Offset::callFrames, 0x01);
    area.setByte(Offset::displayFrames, 0x06);
}

} // namespace FiveToneArea
