#include "signalling/fivetonestandards.h"

#include "image/areamap.h"
#include "image/memoryimage.h"

#include <QtGlobal>

namespace {

using Row = std::array<int, FiveToneStandards::Digits>;

// Tenths of a hertz, digits 0-9 then A-F.
const std::array<Row, FiveToneStandards::Count> Tones{{
    /* CCIR1  */ {19810, 11240, 11970, 12750, 13580, 14460, 15400, 16400, 17470, 18600, 24000, 9300, 22470, 9910, 21100, 10550},
    /* CCIR2  */ {19810, 11240, 11970, 12750, 13580, 14460, 15400, 16400, 17470, 18600, 24000, 9300, 22470, 9910, 21100, 10550},
    /* PCCIR  */ {19810, 11240, 11970, 12750, 13580, 14460, 15400, 16400, 17470, 18600, 10500, 9300, 24000, 9910, 21100, 0},
    /* ZVEI1  */ {24000, 10600, 11600, 12700, 14000, 15300, 16700, 18300, 20000, 22000, 28000, 8100, 9700, 8850, 26000, 6800},
    /* ZVEI2  */ {24000, 10600, 11600, 12700, 14000, 15300, 16700, 18300, 20000, 22000, 8850, 8100, 7400, 6800, 9700, 26000},
    /* ZVEI3  */ {22000, 9700, 10600, 11600, 12700, 14000, 15300, 16700, 18300, 20000, 8850, 0, 0, 0, 24000, 0},
    /* PZVEI  */ {24000, 10600, 11600, 12700, 14000, 15300, 16700, 18300, 20000, 22000, 9700, 8100, 28000, 8850, 26000, 6800},
    /* DZVEI  */ {22000, 9700, 10600, 11600, 12700, 14000, 15300, 16700, 18300, 20000, 8250, 7400, 26000, 8850, 24000, 6800},
    /* PDZVEI */ {22000, 9700, 10600, 11600, 12700, 14000, 15300, 16700, 18300, 20000, 8250, 8860, 26000, 8560, 24000, 0},
    /* EEA    */ {19810, 11240, 11970, 12750, 13580, 14460, 15400, 16400, 17470, 18600, 10550, 9300, 24000, 9910, 21100, 22470},
    /* EIA    */ {6000, 7410, 8820, 10230, 11640, 13050, 14460, 15870, 17280, 18690, 21510, 24330, 20100, 22920, 4590, 10910},
    /* EURO   */ {9798, 9031, 8325, 7674, 7074, 6520, 6010, 5540, 5107, 4708, 0, 0, 0, 0, 10629, 0},
    /* CCITT  */ {4000, 6970, 7700, 8520, 9410, 12090, 13350, 14770, 16330, 18000, 19000, 20000, 21000, 22000, 23000, 0},
    /* NATEL  */ {16330, 6310, 6970, 7700, 8520, 9410, 10400, 12090, 13360, 14770, 19950, 5710, 22050, 24370, 18050, 26940},
    /* MODAT  */ {6575, 7875, 9375, 10875, 12375, 13875, 15375, 16875, 18375, 19875, 0, 0, 0, 0, 4875, 0},
}};

const char *const Names[FiveToneStandards::Count] = {"CCIR1", "CCIR2", "PCCIR", "ZVEI1",  "ZVEI2",
                                                     "ZVEI3", "PZVEI", "DZVEI", "PDZVEI", "EEA",
                                                     "EIA",   "EURO",  "CCITT", "NATEL",  "MODAT"};

// The radio's tone timer runs at 2.304 MHz.
constexpr qint64 TimerDeciHz = 23040000;

constexpr int FrequencyLowBase = 0x2000;
constexpr int FrequencyHighBase = 0x2100;
constexpr int PeriodLowBase = 0x2200;
constexpr int PeriodHighBase = 0x2300;

} // namespace

namespace FiveToneStandards {

int toneDeciHz(int standard, int digit)
{
    Q_ASSERT(standard >= 0 && standard < Count && digit >= 0 && digit < Digits);
    return Tones[standard][digit];
}

int storedHz(int standard, int digit)
{
    return toneDeciHz(standard, digit) / 10;
}

int periodCount(int standard, int digit)
{
    const qint64 f = toneDeciHz(standard, digit);
    if (f == 0)
        return 0;
    return int((TimerDeciHz + f - 1) / f) - 1;
}

QString name(int standard)
{
    if (standard < 0 || standard >= Count)
        return QString();
    return QString::fromLatin1(Names[standard]);
}

int indexOf(const QString &text)
{
    for (int s = 0; s < Count; ++s) {
        if (text == QLatin1String(Names[s]))
            return s;
    }
    return NoStandard;
}

void writeTables(MemoryImage &image)
{
    static_assert(PeriodHighBase + Count * Digits - 1 <= Area::FiveToneStandards.lastAddress());
    for (int s = 0; s < Count; ++s) {
        for (int d = 0; d < Digits; ++d) {
            const int offset = s * Digits + d;
            const int hz = storedHz(s, d);
            const int period = periodCount(s, d);
            image.setAt(FrequencyLowBase + offset, uint8_t(hz & 0xFF));
            image.setAt(FrequencyHighBase + offset, uint8_t(hz >> 8));
            image.setAt(PeriodLowBase + offset, uint8_t(period & 0xFF));
            image.setAt(PeriodHighBase + offset, uint8_t(period >> 8));
        }
    }
}

} // namespace FiveToneStandards
