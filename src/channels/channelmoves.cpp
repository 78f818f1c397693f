#include "channels/channelmoves.h"

#include "channels/channelrecord.h"
#include "image/areamap.h"
#include "image/frequencycodec.h"
#include "image/memoryimage.h"
#include "image/tonecodec.h"

#include <QByteArray>
#include <algorithm>
#include <tuple>

namespace ChannelMoves {

namespace {

int recordRow(int channel)
{
    return Area::Channels.firstRow + channel;
}

int nameRow(int channel)
{
    return Area::ChannelNames.firstRow + channel;
}

bool isEmptyChannel(const MemoryImage &image, int channel)
{
    return ChannelRecord(image, channel).isEmpty();
}

struct Whole
{
    QByteArray record;
    QByteArray name;
};

Whole take(const MemoryImage &image, int channel)
{
    return {image.row(recordRow(channel)), image.row(nameRow(channel))};
}

void put(MemoryImage &image, int channel, const Whole &whole)
{
    image.setRows(recordRow(channel), whole.record);
    image.setRows(nameRow(channel), whole.name);
}

// Ascending by kind (off, CTCSS, DCS, anything else), then by value.
std::tuple<int, int> toneKey(const ChannelRecord &rec)
{
    const QString text = rec.rxToneText();
    if (text == toneTableText(ToneTable::Off))
        return {0, 0};
    if (text.startsWith(QLatin1Char('D')))
        return {2, toneTableIndex(text)};
    bool ok = false;
    const double hz = text.toDouble(&ok);
    return ok ? std::tuple<int, int>{1, qRound(hz * 10)} : std::tuple<int, int>{3, 0};
}

} // namespace

void copyChannel(MemoryImage &image, int from, int to)
{
    put(image, to, take(image, from));
}

void swapChannels(MemoryImage &image, int a, int b)
{
    const Whole first = take(image, a);
    copyChannel(image, b, a);
    put(image, b, first);
}

bool insertEmpty(MemoryImage &image, int channel)
{
    if (isEmptyChannel(image, channel))
        return true;
    int gap = channel + 1;
    while (gap < ChannelRecord::Count && !isEmptyChannel(image, gap))
        ++gap;
    if (gap == ChannelRecord::Count)
        return false;
    for (int ch = gap; ch > channel; --ch)
        copyChannel(image, ch - 1, ch);
    clearChannel(image, channel);
    return true;
}

void removeClosingGap(MemoryImage &image, int channel)
{
    int last = channel;
    while (last + 1 < ChannelRecord::Count && !isEmptyChannel(image, last + 1))
        ++last;
    for (int ch = channel; ch < last; ++ch)
        copyChannel(image, ch + 1, ch);
    clearChannel(image, last);
}

bool moveBlock(MemoryImage &image, QVector<int> channels, bool up)
{
    if (channels.isEmpty())
        return false;
    std::sort(channels.begin(), channels.end());
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
    if (up ? channels.first() == 0 : channels.last() == ChannelRecord::Count - 1)
        return false;
    // Nearest the end first, so that each channel passes a neighbour that is not moving.
    if (!up)
        std::reverse(channels.begin(), channels.end());
    for (int ch : channels)
        swapChannels(image, ch, up ? ch - 1 : ch + 1);
    return true;
}

void sortChannels(MemoryImage &image, QVector<int> channels, SortKey key)
{
    std::sort(channels.begin(), channels.end());
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
    QVector<int> order = channels;
    auto less = [&](int a, int b) {
        const ChannelRecord ra(image, a);
        const ChannelRecord rb(image, b);
        if (ra.isEmpty() || rb.isEmpty())
            return !ra.isEmpty() && rb.isEmpty();
        switch (key) {
        case SortKey::RxFrequency:
            return unpackFrequencyHz(packedFrequencyAt(image, ra.recordRow(), ChannelRecord::Offset::rxFrequency))
                   < unpackFrequencyHz(packedFrequencyAt(image, rb.recordRow(), ChannelRecord::Offset::rxFrequency));
        case SortKey::Name: {
            // As a spreadsheet sorts: blanks after every name.
            const QString na = ra.nameText();
            const QString nb = rb.nameText();
            if (na.isEmpty() || nb.isEmpty())
                return !na.isEmpty() && nb.isEmpty();
            return na < nb;
        }
        case SortKey::RxTone:
            return toneKey(ra) < toneKey(rb);
        }
        return false;
    };
    std::stable_sort(order.begin(), order.end(), less);
    QVector<Whole> sorted;
    for (int ch : order)
        sorted << take(image, ch);
    for (int i = 0; i < channels.size(); ++i)
        put(image, channels.at(i), sorted.at(i));
}

} // namespace ChannelMoves
