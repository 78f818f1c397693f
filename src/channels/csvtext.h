#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Comma- or tab-separated text as spreadsheets read and write it, nothing about channels:
// records of fields, double quotes around fields that need them, doubled quotes inside.
namespace CsvText {

// One record: its fields and the line of the text it starts on.
struct Record
{
    int line = 0;
    QStringList fields;
};

// Fields separated by `separator`; a field in double quotes may hold separators, line ends
// and doubled quotes. CR LF, LF and a lone CR all end a line; blank lines are no record.
// Returns false, with the line of the opening quote, when a quoted field runs to the end.
bool read(const QString &text, QChar separator, QVector<Record> &records, int &openQuoteLine);

// The field quoted where it holds a separator, a quote, a line end or leading or trailing
// blanks; as it is otherwise.
QString quoted(const QString &field, QChar separator = QLatin1Char(','));
// Fields joined by `separator`, each quoted where it needs it.
QString line(const QStringList &fields, QChar separator);

} // namespace CsvText
