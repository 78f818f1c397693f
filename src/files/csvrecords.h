#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Comma-separated text as spreadsheets write it, for every CSV the program reads or writes.
namespace Csv {

struct Record
{
    int line = 0; // line of the file on which the record starts (from 1)
    QStringList fields;
};

// Fields separated by commas; a field in double quotes may hold commas, line ends and
// doubled quotes. CR LF, LF and a lone CR all end a line; a blank line is no record.
// Returns false, with the line of the opening quote, when a quoted field runs to the end
// of the file.
bool splitRecords(const QString &text, QVector<Record> &records, int &openQuoteLine);

// The field as it must be written so that splitRecords() gives it back as it is.
QString quoted(const QString &field);

} // namespace Csv
