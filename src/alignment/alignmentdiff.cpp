#include "alignment/alignmentdiff.h"

#include "alignment/alignmenttable.h"
#include "image/memoryimage.h"

namespace {

constexpr int FirstRow = Area::AlignmentAddress / MemoryImage::Columns;
constexpr Area::Range Rows{FirstRow, FirstRow + Alignment::Lines - 1};
static_assert(Rows.byteCount() == Area::AlignmentBytes && Rows.lastRow < MemoryImage::Rows);

const QString Prefix = QStringLiteral("alignment ");

QStringList describeLines(const MemoryImage &before, const MemoryImage &after)
{
    QStringList lines;
    for (int line = 0; line < Alignment::Lines; ++line) {
        const QByteArray from = before.row(Rows.firstRow + line);
        const QByteArray to = after.row(Rows.firstRow + line);
        if (from == to)
            continue;
        ImageDiff::Explained explained(Alignment::LineBytes, 0);
        if (line == Alignment::RangeLine) {
            // Three digit bytes make one limit; a limit is shown as the number they make.
            QByteArray a(Alignment::Bytes, 0), b(Alignment::Bytes, 0);
            a.replace(Alignment::index(line, 0), Alignment::LineBytes, from);
            b.replace(Alignment::index(line, 0), Alignment::LineBytes, to);
            for (int band = 0; band < 2; ++band) {
                for (const bool upper : {false, true}) {
                    const int first = 6 * band + (upper ? 3 : 0);
                    if (from.mid(first, 3) == to.mid(first, 3))
                        continue;
                    lines << Prefix + QStringLiteral("%1 %2 -> %3")
                                          .arg(Alignment::limitName(band, upper))
                                          .arg(Alignment::rangeLimit(a, band, upper))
                                          .arg(Alignment::rangeLimit(b, band, upper));
                    for (int i = first; i < first + 3; ++i)
                        explained[i] = 0xFF;
                }
            }
        } else {
            for (int byte = 0; byte < Alignment::LineBytes; ++byte) {
                const QString name = Alignment::byteName(line, byte);
                if (name.isEmpty() || from.at(byte) == to.at(byte))
                    continue;
                lines << Prefix + QStringLiteral("%1 %2 -> %3").arg(name).arg(uint8_t(from.at(byte))).arg(uint8_t(to.at(byte)));
                explained[byte] = 0xFF;
            }
        }
        const QString rest = ImageDiff::unexplainedBytes(from, to, explained, Prefix + QStringLiteral("line %1 ").arg(line));
        if (!rest.isEmpty())
            lines << rest;
    }
    return lines;
}

} // namespace

ImageDiff::AreaFields alignmentDiffFields()
{
    return ImageDiff::AreaFields{{Rows}, describeLines, {}};
}
