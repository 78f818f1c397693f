#include "files/adjustfile.h"

#include "files/atomicwrite.h"
#include "files/numberstream.h"

namespace AdjustFile {

QByteArray format(const Table &table)
{
    QByteArray out;
    out.reserve(Rows * (Columns * 5 + 2));
    for (int row = 0; row < Rows; ++row) {
        for (int column = 0; column < Columns; ++column) {
            out.append(' ');
            out.append(QByteArray::number(table[row * Columns + column]));
            out.append(' ');
        }
        out.append("\r\n");
    }
    return out;
}

FileResult parse(const QByteArray &bytes, Table &out)
{
    NumberStream stream(bytes);
    const int wanted = Rows * Columns;
    if (stream.count() < wanted)
        return tooFewNumbers(wanted, stream.count(), stream.lastLine());
    Table staging{};
    FileResult fault;
    for (uint8_t &value : staging) {
        if (!NumberStream::toByte(stream.next(), value, fault))
            return fault;
    }
    out = staging;
    return FileResult::success();
}

FileResult save(const Table &table, const QString &path)
{
    return writeFileReplacing(path, format(table));
}

FileResult load(Table &table, const QString &path)
{
    QByteArray bytes;
    const FileResult read = readWholeFile(path, MaxFileBytes, bytes);
    if (!read.ok)
        return read;
    return parse(bytes, table);
}

} // namespace AdjustFile
