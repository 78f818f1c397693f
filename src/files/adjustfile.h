#pragma once

#include "files/fileresult.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

// The ".adj" file: the 16 x 16 alignment table as text, one line per table row, each
// value with one space before and one after, CR LF at the end of each line, no labels.
namespace AdjustFile {

constexpr int Rows = 16;
constexpr int Columns = 16;
// Row-major: row r, column c at index r * 16 + c (line 0, value 0 first).
using Table = std::array<uint8_t, Rows * Columns>;
constexpr qint64 MaxFileBytes = 1024 * 1024;

QByteArray format(const Table &table);
// `out` changes only when the result is ok.
FileResult parse(const QByteArray &bytes, Table &out);
FileResult save(const Table &table, const QString &path);
FileResult load(Table &table, const QString &path);

} // namespace AdjustFile
