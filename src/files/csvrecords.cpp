#include "files/csvrecords.h"

namespace Csv {

bool splitRecords(const QString &text, QVector<Record> &records, int &openQuoteLine)
{
    int line = 1;
    Record current{1, {}};
    QString field;
    bool inQuotes = false;
    bool fieldQuoted = false;
    auto endField = [&] {
        current.fields << field;
        field.clear();
        fieldQuoted = false;
    };
    auto endRecord = [&](int nextLine) {
        endField();
        // A blank line is one empty field; it is no row.
        if (!(current.fields.size() == 1 && current.fields.first().trimmed().isEmpty()))
            records << current;
        current = Record{nextLine, {}};
    };
    for (int i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (inQuotes) {
            if (ch == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    field += ch;
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                if (ch == QLatin1Char('\n') || (ch == QLatin1Char('\r') && !(i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))))
                    ++line;
                field += ch;
            }
            continue;
        }
        if (ch == QLatin1Char('"') && field.trimmed().isEmpty() && !fieldQuoted) {
            // Blanks before an opening quote are no part of the value.
            field.clear();
            inQuotes = true;
            fieldQuoted = true;
            openQuoteLine = line;
        } else if (ch == QLatin1Char(',')) {
            endField();
        } else if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
            if (ch == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            ++line;
            endRecord(line);
        } else {
            field += ch;
        }
    }
    if (inQuotes)
        return false;
    if (!field.isEmpty() || !current.fields.isEmpty())
        endRecord(line);
    return true;
}

QString quoted(const QString &field)
{
    const bool needsQuotes = field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"'))
                             || field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'))
                             || field != field.trimmed();
    if (!needsQuotes)
        return field;
    QString escaped = field;
    escaped.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

} // namespace Csv
