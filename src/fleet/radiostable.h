#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

class MemoryImage;

// The radios of a fleet as a person edits them: configuration keys as columns, a row per
// radio, the radio's number first. It reads and writes the file `orvane-cli fleet
// --radios` takes, and checks it by handing that very file to the plan, so that the window
// and the command line never disagree about a row.
class RadiosTable
{
public:
    // The column of the radio number in every row; the keys' cells follow.
    static constexpr int RadioColumn = 0;

    QStringList keys;          // configuration key paths, in column order
    QVector<QStringList> rows; // each the radio number and then one cell per key

    // The file as a table. False, with the reason, when it cannot be one: a quote that is
    // not closed, a header that does not begin with "radio", a row with more cells than
    // the header names. Unknown keys and bad values are kept for the check to name.
    static bool read(const QByteArray &csv, RadiosTable &table, QString &error);
    // The file: "radio,options.ani,...", then a line per row that holds anything.
    QByteArray toCsv() const;

    // A row that is all blank is no line of the file, as a blank line is no row of it.
    bool isBlank(int row) const;

    struct Fault
    {
        int row;    // -1: the header
        int column; // 0: the radio number, k + 1: keys[k]; -1: the row as a whole
        QString text;
    };
    // Every fault the plan finds in the file this table writes, laid on its cells.
    QVector<Fault> check(const MemoryImage &templateImage) const;
};
