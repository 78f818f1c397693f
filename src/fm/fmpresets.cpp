#include "fm/fmpresets.h"

#include "image/areamap.h"
#include "image/areaview.h"
#include "image/digitfrequency.h"
#include "image/frequencycodec.h"
#include "image/memoryimage.h"

#include <algorithm>

namespace FmPreset {

namespace {

AreaView presetView(MemoryImage &image, int channel)
{
    return AreaView(image, Area::Fm.firstAddress() + channel * MemoryImage::Columns, MemoryImage::Columns);
}

QByteArray presetBytes(const MemoryImage &image, int channel)
{
    return image.row(Area::Fm.firstRow + channel);
}

// First name byte for a name of n characters: six start at byte 8, five at 9, three or
// four at 10, one or two at 11, as the radio centres them on its display.
int nameStart(int length)
{
    static const int Starts[MaxNameLength + 1] = {NameOffset, 11, 11, 10, 10, 9, 8};
    return Starts[std::clamp(length, 0, MaxNameLength)];
}

char characterCode(QChar ch)
{
    // The radio knows only the printable ASCII range.
    const ushort u = ch.unicode();
    return u >= 0x20 && u <= 0x7E ? char(u) : '?';
}

void writeName(AreaView &view, const QString &name, int start)
{
    view.fill(NameOffset, NameBytes, MemoryImage::Empty);
    const QString cut = name.left(MaxNameLength);
    for (int i = 0; i < cut.size(); ++i)
        view.setByte(start + i, uint8_t(characterCode(cut.at(i))));
}

struct DefaultStation
{
    int channel;
    const char *mhz;
    const char *name;
};

const DefaultStation DefaultStations[] = {
    {0, "88.9", "KXNEW"},  {1, "90.4", "CCTV1"},   {3, "92.3", "JTZS2"},
    {5, "95.5", "KXBBC"},  {7, "96.9", "CCTV4"},   {9, "98.3", "FJQX"},
    {11, "103.9", "CCTV6"}, {13, "100.7", "DNZS3"}, {15, "105.9", "CCTV9"},
};

} // namespace

bool isEmpty(const MemoryImage &image, int channel)
{
    const QByteArray b = presetBytes(image, channel);
    return b.at(0) == 0 && b.at(1) == 0 && b.at(2) == 0;
}

QString frequencyText(const MemoryImage &image, int channel)
{
    if (isEmpty(image, channel))
        return QString();
    return DigitFrequency::decodeText(presetBytes(image, channel).left(DigitFrequency::Bytes));
}

QString nameText(const MemoryImage &image, int channel)
{
    if (isEmpty(image, channel))
        return QString();
    // Bytes that are no printable character (0xFF, 0x00, ...) and spaces show nothing.
    QString out;
    const QByteArray b = presetBytes(image, channel).mid(NameOffset, NameBytes);
    for (char c : b) {
        const uint8_t u = uint8_t(c);
        if (u > 0x20 && u <= 0x7E)
            out.append(QChar(u));
    }
    return out;
}

std::optional<qint64> parseTyped(const QString &text)
{
    const std::optional<qint64> hz = parseFrequencyHz(text);
    if (!hz)
        return std::nullopt;
    return *hz / 10 * 10;
}

bool inRange(qint64 hz)
{
    return hz >= LowestHz && hz <= HighestHz;
}

void setEmpty(MemoryImage &image, int channel)
{
    AreaView view = presetView(image, channel);
    view.fill(0, DigitFrequency::Bytes, 0);
    view.fill(NameOffset, NameBytes, MemoryImage::Empty);
}

void store(MemoryImage &image, int channel, qint64 hz, const QString &name)
{
    const QByteArray digits = DigitFrequency::encode(hz);
    if (digits.isEmpty())
        return;
    AreaView view = presetView(image, channel);
    view.setBytes(0, digits);
    const QString cut = name.left(MaxNameLength);
    writeName(view, cut, nameStart(int(cut.size())));
}

void storeName(MemoryImage &image, int channel, const QString &name)
{
    AreaView view = presetView(image, channel);
    const QString cut = name.left(MaxNameLength);
    writeName(view, cut, nameStart(int(cut.size())));
}

void writeDefaults(MemoryImage &image)
{
    for (int ch = 0; ch < Count; ++ch)
        setEmpty(image, ch);
    for (const DefaultStation &s : DefaultStations) {
        // The digits come from exact hertz, not from repeated division of a binary
        // fraction, which can land one below (92.3 as 92.29999...).
        AreaView view = presetView(image, s.channel);
        view.setBytes(0, DigitFrequency::encode(*parseFrequencyHz(QString::fromLatin1(s.mhz))));
        writeName(view, QString::fromLatin1(s.name), NameOffset);
    }
}

void clearAll(MemoryImage &image)
{
    image.fill(Area::Fm.firstRow, Area::Fm.lastRow, 0);
}

} // namespace FmPreset

void defaultFmPresets(MemoryImage &image)
{
    FmPreset::writeDefaults(image);
}
