#include "channels/csvtones.h"

namespace CsvTones {

// What an unused or missing column holds.
const QString UnusedCtcss = QStringLiteral("88.5");
const QString UnusedDcs = QStringLiteral("023");
const QString UnusedPolarity = QStringLiteral("NN");
const QString UnusedCrossMode = QStringLiteral("Tone->Tone");

const QStringList &crossModes()
{
    static const QStringList modes{QStringLiteral("Tone->Tone"), QStringLiteral("Tone->DTCS"),
                                   QStringLiteral("DTCS->Tone"), QStringLiteral("->Tone"),
                                   QStringLiteral("->DTCS"),     QStringLiteral("DTCS->"),
                                   QStringLiteral("DTCS->DTCS")};
    return modes;
}

// The tone a stored code stands for, read through the channel display. A code the grid
// cannot show (never written by this program) counts as none: the layout has no way to
// say it.
Tone toneOf(ToneCode code)
{
    Tone tone;
    const QString text = decodeTone(code);
    if (text.isEmpty() || text == toneTableText(ToneTable::Off))
        return tone;
    tone.code = code;
    if (text.startsWith(QLatin1Char('D'))) {
        tone.kind = Tone::Dcs;
        tone.dcsCode = text.mid(1, 3);
        tone.polarity = text.endsWith(QLatin1Char('N')) ? QLatin1Char('N') : QLatin1Char('R');
    } else {
        tone.kind = Tone::Ctcss;
    }
    return tone;
}

// Two stored codes that the grid shows alike. 00 00 and FF FF are both "OFF".
bool sameTone(ToneCode a, ToneCode b)
{
    const QString text = decodeTone(a);
    return !text.isEmpty() && text == decodeTone(b);
}

QString ctcssText(ToneCode code)
{
    return QStringLiteral("%1.%2").arg(code.value() / 10).arg(code.value() % 10);
}

ToneColumns toneColumns(const Tone &tx, const Tone &rx)
{
    ToneColumns c;
    if (tx.kind == Tone::Ctcss)
        c.rTone = ctcssText(tx.code);
    if (rx.kind == Tone::Ctcss)
        c.cTone = ctcssText(rx.code);
    if (tx.kind == Tone::Dcs) {
        c.dcs = tx.dcsCode;
        c.txPolarity = tx.polarity;
    }
    if (rx.kind == Tone::Dcs) {
        c.rxDcs = rx.dcsCode;
        c.rxPolarity = rx.polarity;
    }

    if (tx.kind == Tone::None && rx.kind == Tone::None)
        return c;
    if (tx.kind == Tone::Ctcss && rx.kind == Tone::None) {
        c.mode = QStringLiteral("Tone");
        return c;
    }
    if (tx.kind == Tone::Ctcss && rx.kind == Tone::Ctcss && tx.code == rx.code) {
        c.mode = QStringLiteral("TSQL");
        c.rTone = c.cTone;
        return c;
    }
    if (tx.kind == Tone::Dcs && rx.kind == Tone::Dcs && tx.dcsCode == rx.dcsCode) {
        c.mode = QStringLiteral("DTCS");
        return c;
    }
    c.mode = QStringLiteral("Cross");
    auto side = [](const Tone &t) {
        return t.kind == Tone::Ctcss ? QStringLiteral("Tone") : t.kind == Tone::Dcs ? QStringLiteral("DTCS") : QString();
    };
    c.crossMode = side(tx) + QStringLiteral("->") + side(rx);
    return c;
}

std::optional<ToneCode> parseCtcss(const QString &text)
{
    // Typed values 60..259.9 Hz are accepted with or without a table entry, as in the grid.
    return encodeTypedCtcss(text);
}

// "023", or "23" as a spreadsheet shows a number with its leading zero dropped.
std::optional<ToneCode> parseDcs(const QString &code, QChar polarity)
{
    if (code.isEmpty() || code.size() > 3)
        return std::nullopt;
    for (const QChar ch : code) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('7'))
            return std::nullopt;
    }
    const QString entry = QLatin1Char('D') + code.rightJustified(3, QLatin1Char('0'))
                          + (polarity == QLatin1Char('R') ? QLatin1Char('I') : QLatin1Char('N'));
    const int index = toneTableIndex(entry);
    if (index < ToneTable::FirstDcs)
        return std::nullopt;
    return encodeToneIndex(index);
}

} // namespace CsvTones
