#pragma once

#include "files/fileresult.h"

#include <QByteArray>
#include <QString>

class MemoryImage;

// The ".dat" file: the whole memory image as text, one line per row:
//   " r/16  r%16  r  c0  c1 ... c15 " CR LF
// (every number with one space before and one after). The three leading numbers are a
// row label for the reader's eye; loading skips them.
namespace DataFile {

constexpr int LabelsPerLine = 3;
constexpr int NumbersPerLine = LabelsPerLine + 16;
// Far above the ~80 KB a real file has; keeps a wrong pick from filling memory.
constexpr qint64 MaxFileBytes = 4 * 1024 * 1024;

QByteArray format(const MemoryImage &image);
// Parses file bytes into `out` (all rows); `out` is changed only when the result is ok.
FileResult parse(const QByteArray &bytes, MemoryImage &out);

// Writes beside the target and renames over it, so a failed save never destroys the
// file that was there.
FileResult save(const MemoryImage &image, const QString &path);
// Reads and checks the whole file before the image is touched: on any fault the image
// is exactly as it was.
FileResult load(MemoryImage &image, const QString &path);

} // namespace DataFile
