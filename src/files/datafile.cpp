#include "files/datafile.h"

#include "files/atomicwrite.h"
#include "files/numberstream.h"
#include "image/memoryimage.h"

#include <memory>

namespace DataFile {

QByteArray format(const MemoryImage &image)
{
    QByteArray out;
    out.reserve(MemoryImage::Rows * 90);
    char number[8];
    auto put = [&](int value) {
        // " n " per number; decimal by hand keeps a full image well inside a millisecond.
        int len = 0;
        do {
            number[len++] = char('0' + value % 10);
            value /= 10;
        } while (value > 0);
        out.append(' ');
        while (len > 0)
            out.append(number[--len]);
        out.append(' ');
    };
    for (int row = 0; row < MemoryImage::Rows; ++row) {
        put(row / MemoryImage::Columns);
        put(row % MemoryImage::Columns);
        put(row);
        for (int column = 0; column < MemoryImage::Columns; ++column)
            put(image.cell(row, column));
        out.append("\r\n");
    }
    return out;
}

FileResult parse(const QByteArray &bytes, MemoryImage &out)
{
    NumberStream stream(bytes);
    const int wanted = MemoryImage::Rows * NumbersPerLine;
    if (stream.count() < wanted)
        return tooFewNumbers(wanted, stream.count(), stream.lastLine());

    // Built apart and copied at the end, so a fault anywhere leaves `out` alone.
    auto staging = std::make_unique<MemoryImage>();
    FileResult fault;
    for (int row = 0; row < MemoryImage::Rows; ++row) {
        for (int i = 0; i < LabelsPerLine; ++i) {
            if (!NumberStream::isWholeNumber(stream.next(), fault))
                return fault;
        }
        for (int column = 0; column < MemoryImage::Columns; ++column) {
            uint8_t value = 0;
            if (!NumberStream::toByte(stream.next(), value, fault))
                return fault;
            staging->setCell(row, column, value);
        }
    }
    out.setRows(0, staging->rows(0, MemoryImage::Rows));
    return FileResult::success();
}

FileResult save(const MemoryImage &image, const QString &path)
{
    return writeFileReplacing(path, format(image));
}

FileResult load(MemoryImage &image, const QString &path)
{
    QByteArray bytes;
    const FileResult read = readWholeFile(path, MaxFileBytes, bytes);
    if (!read.ok)
        return read;
    return parse(bytes, image);
}

} // namespace DataFile
