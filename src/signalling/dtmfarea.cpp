#include "signalling/dtmfarea.h"

#include "image/areamap.h"
#include "image/digitcodes.h"
#include "image/memoryimage.h"
#include "signalling/dtmftexts.h"
#include "signalling/signallinglists.h"

namespace {

QStringList toneTimes(bool) { return SignallingLists::steps(50, 10, 196); }
QStringList delayTimes(bool) { return SignallingLists::steps(100, 100, 40); }
QStringList resetTimes(bool) { return SignallingLists::steps(100, 100, 80); }

constexpr ListField::Beyond Last = ListField::Beyond::LastEntry;

const FieldTable &table()
{
    using O = DtmfArea::Offset;
    static const FieldTable t{
        {"onTime", O::onTime, 0xFF, 0, ListEntries::generated(&toneTimes), 3, Last, &DtmfText::OnTime},
        {"offTime", O::offTime, 0xFF, 0, ListEntries::generated(&toneTimes), 3, Last, &DtmfText::OffTime},
        {"delayProcessing", O::delayProcessing, 0xFF, 0, ListEntries::generated(&delayTimes), 4, Last,
         &DtmfText::DelayProcessing},
        {"resetTime", O::resetTime, 0xFF, 0, ListEntries::generated(&resetTimes), 79, Last, &DtmfText::ResetTime},
    };
    return t;
}

void putDigits(AreaView &area, int offset, const char *text)
{
    DtmfArea::storeDigits(area, offset, QString::fromLatin1(text));
}

} // namespace

namespace DtmfArea {

AreaView view(MemoryImage &image)
{
    return AreaView(image, Area::Dtmf);
}

const ListField &onTime() { return table()[0]; }
const ListField &offTime() { return table()[1]; }
const ListField &delayProcessing() { return table()[2]; }
const ListField &resetTime() { return table()[3]; }
const FieldTable &timeFields() { return table(); }

const std::vector<NamedRow> &namedRows()
{
    using O = Offset;
    static const std::vector<NamedRow> rows{
        {"inspection", O::inspection, DtmfText::Inspection}, {"monitor", O::monitor, DtmfText::Monitor},
        {"alarm", O::alarm, DtmfText::Alarm},                {"stun", O::stun, DtmfText::Stun},
        {"kill", O::kill, DtmfText::Kill},                   {"revive", O::revive, DtmfText::Revive},
        {"master_id", O::masterId, DtmfText::MasterId},      {"vice_id", O::viceId, DtmfText::ViceId},
    };
    return rows;
}

const BiText &rowCaption(int offset)
{
    for (const NamedRow &r : namedRows()) {
        if (r.offset == offset)
            return r.caption;
    }
    Q_ASSERT(false);
    return namedRows().front().caption;
}

const QStringList &codeKeys()
{
    static const QStringList keys{QStringLiteral("*"), QStringLiteral("#"), QStringLiteral("A"),
                                  QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")};
    return keys;
}

int codeKeyPosition(uint8_t code)
{
    return codeKeys().indexOf(dtmfCodeToDigit(code));
}

QString digits(const AreaView &area, int offset)
{
    return decodeDtmfDigits(area.bytes(offset, DigitsPerRow));
}

void storeDigits(AreaView &area, int offset, const QString &text)
{
    const QString trimmed = text.trimmed();
    area.fill(offset, DigitsPerRow, NoDigit);
    for (int i = 0; i < trimmed.size() && i < DigitsPerRow; ++i)
        area.setByte(offset + i, dtmfDigitToCode(trimmed.at(i)));
}

void writeDefaults(MemoryImage &image)
{
    image.fill(Area::Dtmf.firstRow, Area::Dtmf.lastRow, MemoryImage::Empty);
    AreaView area = view(image);
    putDigits(area, Offset::encode(1), "20202");
    putDigits(area, Offset::encode(15), "30303");
    putDigits(area, Offset::inspection, "202");
    putDigits(area, Offset::monitor, "303");
    putDigits(area, Offset::alarm, "119");
    putDigits(area, Offset::stun, "505");
    putDigits(area, Offset::kill, "666");
    putDigits(area, Offset::revive, "777");
    putDigits(area, Offset::masterId, "60606");
    putDigits(area, Offset::viceId, "70707");
    Fields::writeDefaults(area, table());
    area.setByte(Offset::control, 1);
    area.setByte(Offset::masterRights, 0x1F);
    area.setByte(Offset::viceRights, 0x03);
    area.setByte(Offset::state, 0);
    area.setByte(Offset::groupCode, dtmfDigitToCode(QLatin1Char('*')));
    area.setByte(Offset::spaceCode, dtmfDigitToCode(QLatin1Char('#')));
}

} // namespace DtmfArea
