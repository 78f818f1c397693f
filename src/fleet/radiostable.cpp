#include "fleet/radiostable.h"

#include "channels/csvtext.h"
#include "fleet/fleetplan.h"

#include <QRegularExpression>

namespace {
const QString RadioHeader = QStringLiteral("radio");
// The plan names its file in each message; a name without blanks keeps them parseable.
const QString CheckName = QStringLiteral("radios");
} // namespace

bool RadiosTable::read(const QByteArray &csv, RadiosTable &table, QString &error)
{
    QString text = QString::fromUtf8(csv);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QVector<CsvText::Record> records;
    int openQuote = 0;
    if (!CsvText::read(text, QLatin1Char(','), records, openQuote)) {
        error = QStringLiteral("line %1: a quoted cell is not closed").arg(openQuote);
        return false;
    }
    if (records.isEmpty() || records.first().fields.value(0).trimmed() != RadioHeader) {
        error = QStringLiteral("line %1: the header must be \"radio\" followed by configuration keys, for example "
                               "radio,options.ani,channels.5.name")
                    .arg(records.isEmpty() ? 1 : records.first().line);
        return false;
    }
    RadiosTable read;
    const CsvText::Record header = records.takeFirst();
    for (int i = 1; i < header.fields.size(); ++i)
        read.keys << header.fields.at(i).trimmed();
    for (const CsvText::Record &r : records) {
        if (r.fields.size() > read.keys.size() + 1) {
            error = QStringLiteral("line %1 has %2 cells; the header names %3").arg(r.line).arg(r.fields.size()).arg(read.keys.size() + 1);
            return false;
        }
        QStringList cells = r.fields;
        while (cells.size() < read.keys.size() + 1)
            cells << QString();
        cells[RadioColumn] = cells.at(RadioColumn).trimmed();
        read.rows << cells;
    }
    table = read;
    return true;
}

bool RadiosTable::isBlank(int row) const
{
    for (const QString &cell : rows.at(row)) {
        if (!cell.trimmed().isEmpty())
            return false;
    }
    return true;
}

QByteArray RadiosTable::toCsv() const
{
    QString text = CsvText::line(QStringList{RadioHeader} + keys, QLatin1Char(',')) + QLatin1Char('\n');
    for (int r = 0; r < rows.size(); ++r) {
        if (isBlank(r))
            continue;
        QStringList cells = rows.at(r);
        while (cells.size() < keys.size() + 1)
            cells << QString();
        // A line end in a cell would start a new line of the file; no key takes one.
        for (QString &c : cells)
            c.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        text += CsvText::line(cells.mid(0, keys.size() + 1), QLatin1Char(',')) + QLatin1Char('\n');
    }
    return text.toUtf8();
}

QVector<RadiosTable::Fault> RadiosTable::check(const MemoryImage &templateImage) const
{
    QVector<Fault> faults;
    // Line n of the file (the header being line 1) holds this row.
    QVector<int> rowOfLine{-1, -1};
    for (int r = 0; r < rows.size(); ++r) {
        if (!isBlank(r))
            rowOfLine << r;
    }
    if (rowOfLine.size() == 2)
        return faults; // nothing to program is no fault of a cell; the window says so at the start
    FleetPlan plan;
    QStringList errors;
    if (plan.load(toCsv(), CheckName, templateImage, errors))
        return faults;
    static const QRegularExpression at(QStringLiteral("^radios:(\\d+) (.*)$"));
    for (const QString &e : errors) {
        const QRegularExpressionMatch m = at.match(e);
        if (!m.hasMatch()) {
            faults << Fault{-1, -1, e};
            continue;
        }
        const int line = m.captured(1).toInt();
        const int row = line >= 0 && line < rowOfLine.size() ? rowOfLine.at(line) : -1;
        const QString rest = m.captured(2);
        // "options.ani: 12 needs 3 to 5 digits", "radio: X has a row already", "channels.5: ..."
        const int colon = rest.indexOf(QStringLiteral(": "));
        const QString key = colon > 0 ? rest.left(colon) : QString();
        int column = -1;
        if (key == RadioHeader) {
            column = RadioColumn;
        } else if (!key.isEmpty()) {
            for (int k = 0; k < keys.size() && column < 0; ++k) {
                if (keys.at(k) == key || keys.at(k).startsWith(key + QLatin1Char('.')))
                    column = k + 1;
            }
        }
        faults << Fault{row, column, column >= 0 ? rest.mid(colon + 2) : rest};
    }
    return faults;
}
