#include "channels/channelclipboard.h"

#include "channels/channelrecord.h"
#include "image/areamap.h"
#include "image/memoryimage.h"

#include <memory>

namespace ChannelClipboard {

namespace {

constexpr int BytesPerChannel = 2 * MemoryImage::Columns;

int findColumn(const QStringList &header, const QString &name)
{
    for (int i = 0; i < header.size(); ++i) {
        if (header.at(i).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

Copy copy(const MemoryImage &image, const QVector<int> &channels, const BandLimits &limits)
{
    Copy out;
    const QStringList &header = ChannelCsv::columns();
    QString csv = ChannelCsv::line(header, QLatin1Char(',')) + QStringLiteral("\r\n");
    out.tabSeparated = ChannelCsv::line(header, QLatin1Char('\t')) + QLatin1Char('\n');
    for (int ch : channels) {
        const QStringList fields = ChannelCsv::fieldsOf(image, ch, limits);
        csv += ChannelCsv::line(fields, QLatin1Char(',')) + QStringLiteral("\r\n");
        out.tabSeparated += ChannelCsv::line(fields, QLatin1Char('\t')) + QLatin1Char('\n');
        out.bytes += image.row(Area::Channels.firstRow + ch);
        out.bytes += image.row(Area::ChannelNames.firstRow + ch);
    }
    out.csv = csv.toUtf8();
    return out;
}

QString Paste::refusal(bool chinese) const
{
    switch (outcome) {
    case Outcome::Done:
        return QString();
    case Outcome::Nothing:
        return chinese ? QStringLiteral("剪贴板中没有可粘贴的信道。") : QStringLiteral("The clipboard holds no channels to paste.");
    case Outcome::PastTheEnd:
        return chinese ? QStringLiteral("没有粘贴任何信道：从信道 %1 起粘贴 %2 个信道会超出最后一个信道 199。")
                             .arg(first)
                             .arg(count)
                       : QStringLiteral("No channel was pasted: %1 channels from channel %2 on would run past the last "
                                        "channel, 199.")
                             .arg(count)
                             .arg(first);
    case Outcome::BadRows:
        return import.errorMessage(chinese);
    }
    return QString();
}

Paste paste(const QString &pasted, const QByteArray &bytes, MemoryImage &image, int first, const BandLimits &limits)
{
    Paste result;
    result.first = first;
    QString text = pasted;
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    // A spreadsheet separates cells by tabs; a line of CSV holds none outside its quotes.
    const QString firstLine = text.section(QLatin1Char('\n'), 0, 0);
    const QChar separator = firstLine.contains(QLatin1Char('\t')) ? QLatin1Char('\t') : QLatin1Char(',');
    QVector<ChannelCsv::Record> records;
    int openQuoteLine = 0;
    if (!ChannelCsv::readRecords(text, separator, records, openQuoteLine)) {
        // The import names the fault in its own words.
        result.outcome = Paste::Outcome::BadRows;
        result.import = ChannelCsv::importInto(text.toUtf8(), *std::make_unique<MemoryImage>(image), limits);
        return result;
    }

    QStringList header = ChannelCsv::columns();
    if (!records.isEmpty() && findColumn(records.first().fields, QStringLiteral("Frequency")) >= 0) {
        header = records.first().fields;
        records.removeFirst();
    }
    int location = findColumn(header, QStringLiteral("Location"));
    if (location < 0) {
        header << QStringLiteral("Location");
        location = int(header.size()) - 1;
    }
    result.count = int(records.size());
    if (records.isEmpty())
        return result;
    if (first + result.count > ChannelRecord::Count) {
        result.outcome = Paste::Outcome::PastTheEnd;
        return result;
    }

    // The rows go through the import as a file whose Locations are the targets, one line
    // each, so that its findings can be told by the pasted lines.
    QString csv = ChannelCsv::line(header, QLatin1Char(',')) + QStringLiteral("\r\n");
    for (int i = 0; i < records.size(); ++i) {
        QStringList fields = records.at(i).fields;
        while (fields.size() <= location)
            fields << QString();
        fields[location] = QString::number(first + i);
        // A line end inside a field would shift the lines the findings refer to.
        for (QString &f : fields)
            f.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        csv += ChannelCsv::line(fields, QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    auto staging = std::make_unique<MemoryImage>(image);
    result.import = ChannelCsv::importInto(csv.toUtf8(), *staging, limits);
    if (!result.import.ok) {
        for (ChannelCsv::Problem &p : result.import.errors)
            p.line = p.line >= 2 && p.line - 2 < records.size() ? records.at(p.line - 2).line : p.line;
        result.outcome = Paste::Outcome::BadRows;
        return result;
    }
    if (bytes.size() == result.count * BytesPerChannel) {
        for (int i = 0; i < result.count; ++i) {
            staging->setRows(Area::Channels.firstRow + first + i, bytes.mid(i * BytesPerChannel, MemoryImage::Columns));
            staging->setRows(Area::ChannelNames.firstRow + first + i,
                             bytes.mid(i * BytesPerChannel + MemoryImage::Columns, MemoryImage::Columns));
        }
    }
    image.setRows(0, staging->rows(0, MemoryImage::Rows));
    result.outcome = Paste::Outcome::Done;
    return result;
}

} // namespace ChannelClipboard
