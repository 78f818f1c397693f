#pragma once

#include "image/memoryimage.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

// One plan for many radios: RADIOS.csv names, after a `radio` column, configuration keys
// by path (options.ani, channels.5.name, ...), and gives one row per radio. Every row is
// applied to its own copy of the template and checked when the file is loaded, so that a
// bad row stops the job before any radio is touched. Then it keeps which radio took which
// row, for every port at once.
class FleetPlan
{
public:
    enum class RowState { Pending, Taken, Done };

    struct Row
    {
        int line = 0;  // of the file, the header being line 1
        QString radio; // as the file gives it; empty: the next radio that has no row of its own
        MemoryImage image;
        RowState state = RowState::Pending;
    };

    // False, with every fault as "RADIOS.csv:3 options.ani: ...", when any row or the
    // header is bad; the plan is then empty. An empty cell keeps the template's value.
    bool load(const QByteArray &csv, const QString &fileName, const MemoryImage &templateImage, QStringList &errors);

    enum class Claim {
        Taken,       // `row` is this radio's now
        AlreadyDone, // this radio has been programmed already (or is being programmed)
        NoRow        // neither a row of its own nor a free row without a number is left
    };
    // The radio's own row when the file has one, else the first free row without a number.
    Claim claim(const QString &radioNumber, int &row);
    // A row that went well is done for good, and so is its radio; one that failed is free
    // again for the next radio that may take it.
    void finish(int row, const QString &radioNumber, bool ok);

    int rowCount() const { return int(m_rows.size()); }
    int doneCount() const;
    bool allDone() const { return doneCount() == rowCount(); }
    const Row &row(int index) const { return m_rows.at(size_t(index)); }

    // Radio numbers compare as the status bar shows them or as the reply holds them:
    // "ORV123--456789--ABCD" and "orv123456789abcd" are one radio.
    static QString radioKey(const QString &number);

private:
    std::vector<Row> m_rows;
    QSet<QString> m_done;
    QSet<QString> m_busy;
};
