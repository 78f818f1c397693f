#pragma once

#include "image/tonecodec.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <optional>

// How the channel CSV's columns say a channel's tones: a mode (empty, Tone, TSQL, DTCS,
// Cross), CTCSS and DCS columns and a cross mode, against the radio's two tone codes.
namespace CsvTones {

constexpr ToneCode ToneOff{0, 0};

// What an unused or missing column holds.
extern const QString UnusedCtcss;
extern const QString UnusedDcs;
extern const QString UnusedPolarity;
extern const QString UnusedCrossMode;

// The cross modes this radio has, as the CrossMode column spells them.
const QStringList &crossModes();

struct Tone
{
    enum Kind { None, Ctcss, Dcs } kind = None;
    ToneCode code = ToneOff;
    QString dcsCode;   // "023"
    QChar polarity;    // 'N' or 'R'
};

// The tone a stored code stands for, read through the channel display. A code the grid
// cannot show (never written by this program) counts as none: the layout has no way to
// say it.
Tone toneOf(ToneCode code);
// Two stored codes that the grid shows alike. 00 00 and FF FF are both "OFF".
bool sameTone(ToneCode a, ToneCode b);
// "88.5"
QString ctcssText(ToneCode code);

// The tone columns of a row that sends `tx` and listens for `rx`.
struct ToneColumns
{
    QString mode, rTone = UnusedCtcss, cTone = UnusedCtcss, dcs = UnusedDcs, rxDcs = UnusedDcs,
                  crossMode = UnusedCrossMode;
    QChar txPolarity = QLatin1Char('N'), rxPolarity = QLatin1Char('N');
};
ToneColumns toneColumns(const Tone &tx, const Tone &rx);

// A CTCSS column's text, 60 to 259.9 Hz, as the grid takes a typed tone.
std::optional<ToneCode> parseCtcss(const QString &text);
// "023", or "23" as a spreadsheet shows a number with its leading zero dropped.
std::optional<ToneCode> parseDcs(const QString &code, QChar polarity);

} // namespace CsvTones
