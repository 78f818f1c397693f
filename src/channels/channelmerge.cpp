#include "channels/channelmerge.h"

#include "channels/channelmoves.h"
#include "channels/channelrecord.h"
#include "channels/channeltexts.h"
#include "channels/csvtones.h"
#include "image/areamap.h"
#include "image/frequencycodec.h"
#include "image/memoryimage.h"

#include <memory>

namespace ChannelMerge {

namespace {

constexpr BiText NoEmptyRoom{"Not enough empty channels from %1 on for %2 channels. Nothing was changed.",
                             "从 %1 号起的空信道不足以放入 %2 个信道。未作任何更改。"};
constexpr BiText NoSuchChannel{"Channel %1 does not exist: the radio has channels 0 to 199. Nothing was changed.",
                               "信道 %1 不存在：本机信道为 0 至 199。未作任何更改。"};
constexpr BiText TwoRowsOneChannel{"Two rows would replace channel %1. Nothing was changed.",
                                   "有两行要替换信道 %1。未作任何更改。"};

int recordRow(int channel)
{
    return Area::Channels.firstRow + channel;
}

int nameRow(int channel)
{
    return Area::ChannelNames.firstRow + channel;
}

bool sameToneOrCode(ToneCode a, ToneCode b)
{
    return a == b || CsvTones::sameTone(a, b);
}

// A row's channel on an image of its own, so the record's own getters show it.
MemoryImage &scratch(const Row &row)
{
    static MemoryImage image;
    image.setRows(recordRow(0), row.record);
    image.setRows(nameRow(0), row.name);
    return image;
}

void put(MemoryImage &image, int channel, const Row &row)
{
    image.setRows(recordRow(channel), row.record);
    image.setRows(nameRow(channel), row.name);
}

Landing refuse(Landing landing, const BiText &reason, int channel)
{
    landing.ok = false;
    landing.refusal = reason;
    landing.refusalChannel = channel;
    return landing;
}

// Runs the placement on `work`; on a refusal `work` is half done and must be dropped.
Landing run(MemoryImage &work, const QVector<Row> &rows, Placement placement, int start)
{
    Landing landing;
    landing.targets = QVector<int>(rows.size(), -1);
    for (const Row &r : rows)
        landing.wanted += r.merges() ? 1 : 0;
    int next = start;
    int k = 0;
    QVector<bool> replaced(ChannelRecord::Count, false);
    for (int i = 0; i < rows.size(); ++i) {
        const Row &row = rows.at(i);
        if (!row.merges())
            continue;
        int target = -1;
        switch (placement) {
        case Placement::EmptyFrom:
            while (next < ChannelRecord::Count && !ChannelRecord(work, next).isEmpty())
                ++next;
            if (next >= ChannelRecord::Count)
                return refuse(landing, NoEmptyRoom, start);
            target = next++;
            break;
        case Placement::InsertAt:
            // As the grid inserts: each channel below the one put in before it, the rest
            // shifted down as far as the first empty channel.
            target = start + k;
            if (target >= ChannelRecord::Count || !ChannelMoves::insertEmpty(work, target))
                return refuse(landing, ChannelText::NoRoomBelow, target);
            break;
        case Placement::ReplaceSame:
            target = row.source >= 0 ? row.source : start + k;
            if (target < 0 || target >= ChannelRecord::Count)
                return refuse(landing, NoSuchChannel, target);
            if (replaced.at(target))
                return refuse(landing, TwoRowsOneChannel, target);
            replaced[target] = true;
            break;
        }
        put(work, target, row);
        landing.targets[i] = target;
        ++k;
    }
    landing.ok = true;
    return landing;
}

} // namespace

QVector<Row> rowsOf(const MemoryImage &source)
{
    QVector<Row> rows;
    for (int ch = 0; ch < ChannelRecord::Count; ++ch) {
        if (ChannelRecord(source, ch).isEmpty())
            continue;
        Row r;
        r.source = ch;
        r.record = source.row(recordRow(ch));
        r.name = source.row(nameRow(ch));
        rows << r;
    }
    return rows;
}

void judge(QVector<Row> &rows, const MemoryImage &plan, const BandLimits &limits, bool uncheckDuplicates)
{
    for (Row &row : rows) {
        const MemoryImage &own = scratch(row);
        const ChannelRecord rec(own, 0);
        row.refused = false;
        row.reason = BiText{"", ""};
        const qint64 rx = unpackFrequencyHz(packedFrequencyAt(own, rec.recordRow(), ChannelRecord::Offset::rxFrequency));
        if (rec.isEmpty() || !frequencyInBand(rx, BandCheck::Entry, limits)) {
            row.refused = true;
            row.reason = ChannelText::RxOutOfRange;
        } else if (rec.hasTxFrequency()
                   && !frequencyInBand(unpackFrequencyHz(packedFrequencyAt(own, rec.recordRow(),
                                                                             ChannelRecord::Offset::txFrequency)),
                                       BandCheck::Entry, limits)) {
            row.refused = true;
            row.reason = ChannelText::TxOutOfRange;
        }
        const QByteArray record = row.record;
        const ToneCode rxTone = rec.rxTone();
        const ToneCode txTone = rec.txTone();
        row.duplicate = false;
        row.duplicateOf = -1;
        for (int ch = 0; ch < ChannelRecord::Count && !row.refused; ++ch) {
            const ChannelRecord other(plan, ch);
            if (other.isEmpty())
                continue;
            const QByteArray o = other.recordBytes();
            if (o.mid(ChannelRecord::Offset::rxFrequency, 4) != record.mid(ChannelRecord::Offset::rxFrequency, 4))
                continue;
            if (other.hasTxFrequency() != rec.hasTxFrequency()
                || (rec.hasTxFrequency()
                    && o.mid(ChannelRecord::Offset::txFrequency, 4) != record.mid(ChannelRecord::Offset::txFrequency, 4)))
                continue;
            if (!sameToneOrCode(other.rxTone(), rxTone))
                continue;
            if (rec.hasTxFrequency() && !sameToneOrCode(other.txTone(), txTone))
                continue;
            row.duplicate = true;
            row.duplicateOf = ch;
            break;
        }
        if (row.refused || (row.duplicate && uncheckDuplicates))
            row.checked = false;
    }
}

QString Landing::refusalText(bool chinese) const
{
    QString text = refusal.text(chinese);
    if (text.contains(QLatin1String("%2")))
        return text.arg(refusalChannel).arg(wanted);
    if (text.contains(QLatin1String("%1")))
        return text.arg(refusalChannel);
    return text;
}

int Landing::count() const
{
    int n = 0;
    for (int t : targets)
        n += t >= 0 ? 1 : 0;
    return n;
}

Landing place(const MemoryImage &plan, const QVector<Row> &rows, Placement placement, int start)
{
    auto work = std::make_unique<MemoryImage>(plan);
    return run(*work, rows, placement, start);
}

bool merge(MemoryImage &image, const QVector<Row> &rows, Placement placement, int start, Landing *landing)
{
    auto work = std::make_unique<MemoryImage>(image);
    const Landing result = run(*work, rows, placement, start);
    if (landing)
        *landing = result;
    if (!result.ok)
        return false;
    image = *work;
    return true;
}

Shown shown(const Row &row)
{
    const MemoryImage &own = scratch(row);
    const ChannelRecord rec(own, 0);
    return {rec.nameText(),    rec.rxFrequencyText(), rec.txFrequencyText(), rec.rxToneText(),
            rec.txToneText(),  rec.bandwidthText(),   rec.powerText()};
}

QString rowName(const Row &row, bool chinese)
{
    if (row.source >= 0)
        return chinese ? QStringLiteral("信道 %1").arg(row.source) : QStringLiteral("channel %1").arg(row.source);
    return chinese ? QStringLiteral("第 %1 行").arg(row.line) : QStringLiteral("line %1").arg(row.line);
}

QStringList report(const QVector<Row> &rows, const Landing &landing, bool chinese)
{
    QStringList merged, refused, skipped;
    for (int i = 0; i < rows.size(); ++i) {
        const Row &row = rows.at(i);
        const Shown s = shown(row);
        const QString what = QStringLiteral("%1 (%2%3)").arg(rowName(row, chinese), s.rx,
                                                             s.name.isEmpty() ? QString() : QStringLiteral(" ") + s.name);
        QString note = row.note(chinese);
        note = note.isEmpty() ? QString() : QStringLiteral("; ") + note;
        if (row.refused) {
            refused << (chinese ? QStringLiteral("拒绝：%1：%2").arg(what, row.reason.text(true).trimmed())
                                : QStringLiteral("refused: %1: %2").arg(what, row.reason.text(false).trimmed()));
        } else if (i < landing.targets.size() && landing.targets.at(i) >= 0) {
            merged << (chinese ? QStringLiteral("合并：%1 -> 信道 %2%3").arg(what).arg(landing.targets.at(i)).arg(note)
                               : QStringLiteral("merged: %1 -> channel %2%3").arg(what).arg(landing.targets.at(i)).arg(note));
        } else if (row.duplicate) {
            skipped << (chinese ? QStringLiteral("跳过：%1：与信道 %2 相同").arg(what).arg(row.duplicateOf)
                                : QStringLiteral("skipped: %1: same as channel %2").arg(what).arg(row.duplicateOf));
        } else {
            skipped << (chinese ? QStringLiteral("跳过：%1：未选中%2").arg(what, note)
                                : QStringLiteral("skipped: %1: not checked%2").arg(what, note));
        }
    }
    QStringList out;
    out << (chinese ? QStringLiteral("合并 %1，拒绝 %2，跳过 %3").arg(merged.size()).arg(refused.size()).arg(skipped.size())
                    : QStringLiteral("merged %1, refused %2, skipped %3").arg(merged.size()).arg(refused.size()).arg(skipped.size()));
    return out + merged + refused + skipped;
}

} // namespace ChannelMerge
