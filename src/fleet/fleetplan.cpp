#include "fleet/fleetplan.h"

#include "config/configtext.h"
#include "channels/csvtext.h"
#include "image/bandlimits.h"

#include <QHash>

namespace {
const QString RadioColumn = QStringLiteral("radio");
}

QString FleetPlan::radioKey(const QString &number)
{
    QString key;
    for (QChar ch : number) {
        if (ch != QLatin1Char('-') && !ch.isSpace())
            key += ch.toUpper();
    }
    return key;
}

bool FleetPlan::load(const QByteArray &csv, const QString &fileName, const MemoryImage &templateImage, QStringList &errors)
{
    m_rows.clear();
    m_done.clear();
    m_busy.clear();
    errors.clear();
    auto at = [&fileName](int line) { return QStringLiteral("%1:%2").arg(fileName).arg(line); };

    QString text = QString::fromUtf8(csv);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QVector<CsvText::Record> records;
    int openQuote = 0;
    if (!CsvText::read(text, QLatin1Char(','), records, openQuote)) {
        errors << at(openQuote) + QStringLiteral(" a quoted cell is not closed");
        return false;
    }
    if (records.isEmpty() || records.first().fields.value(0).trimmed() != RadioColumn) {
        errors << at(records.isEmpty() ? 1 : records.first().line)
                      + QStringLiteral(" the header must be \"radio\" followed by configuration keys, for example "
                                       "radio,options.ani,channels.5.name");
        return false;
    }
    const CsvText::Record header = records.takeFirst();
    QStringList keys;
    QSet<QString> seen;
    for (int i = 1; i < header.fields.size(); ++i) {
        const QString key = header.fields.at(i).trimmed();
        QString problem = ConfigText::keyPathProblem(key);
        if (problem.isEmpty() && seen.contains(key))
            problem = QStringLiteral("is given twice");
        seen.insert(key);
        if (!problem.isEmpty())
            errors << QStringLiteral("%1 %2: %3").arg(at(header.line), key.isEmpty() ? QStringLiteral("column %1").arg(i + 1) : key, problem);
        keys << key;
    }
    if (!errors.isEmpty())
        return false;
    if (records.isEmpty()) {
        errors << QStringLiteral("%1 has no rows: one line per radio follows the header").arg(fileName);
        return false;
    }

    // Rows are checked against the widest limits; each radio's write then checks the
    // channels against that radio's own.
    const BandLimits limits = BandLimits::startup();
    QHash<QString, int> ownRows; // radio key, line
    std::vector<Row> rows;
    rows.reserve(size_t(records.size()));
    for (const CsvText::Record &r : records) {
        if (r.fields.size() > keys.size() + 1) {
            errors << QStringLiteral("%1 has %2 cells; the header names %3").arg(at(r.line)).arg(r.fields.size()).arg(keys.size() + 1);
            continue;
        }
        Row row;
        row.line = r.line;
        row.radio = r.fields.value(0).trimmed();
        if (!row.radio.isEmpty()) {
            const QString key = radioKey(row.radio);
            if (const auto other = ownRows.constFind(key); other != ownRows.constEnd()) {
                errors << QStringLiteral("%1 radio: %2 has a row already, on line %3").arg(at(r.line), row.radio).arg(*other);
                continue;
            }
            ownRows.insert(key, r.line);
        }
        QVector<ConfigText::KeyText> values;
        for (int i = 0; i < keys.size(); ++i) {
            const QString cell = r.fields.value(i + 1);
            if (!cell.isEmpty())
                values.push_back({keys.at(i), cell});
        }
        row.image = templateImage;
        const ConfigText::ImportResult applied = ConfigText::setKeys(values, row.image, limits, at(r.line));
        if (!applied.ok) {
            errors << applied.errors;
            continue;
        }
        rows.push_back(std::move(row));
    }
    if (!errors.isEmpty())
        return false;
    m_rows = std::move(rows);
    return true;
}

FleetPlan::Claim FleetPlan::claim(const QString &radioNumber, int &row)
{
    const QString key = radioKey(radioNumber);
    if (m_done.contains(key) || m_busy.contains(key))
        return Claim::AlreadyDone;
    // Its own row, when the file has one, is free: only this radio takes it, and it is
    // neither done nor being programmed.
    int chosen = -1;
    for (int i = 0; i < rowCount() && chosen < 0; ++i) {
        const Row &r = m_rows.at(size_t(i));
        if (!r.radio.isEmpty() && radioKey(r.radio) == key)
            chosen = i;
    }
    for (int i = 0; i < rowCount() && chosen < 0; ++i) {
        const Row &r = m_rows.at(size_t(i));
        if (r.radio.isEmpty() && r.state == RowState::Pending)
            chosen = i;
    }
    if (chosen < 0)
        return Claim::NoRow;
    m_rows.at(size_t(chosen)).state = RowState::Taken;
    m_busy.insert(key);
    row = chosen;
    return Claim::Taken;
}

void FleetPlan::finish(int row, const QString &radioNumber, bool ok)
{
    const QString key = radioKey(radioNumber);
    m_busy.remove(key);
    m_rows.at(size_t(row)).state = ok ? RowState::Done : RowState::Pending;
    if (ok)
        m_done.insert(key);
}

int FleetPlan::doneCount() const
{
    int n = 0;
    for (const Row &r : m_rows)
        n += r.state == RowState::Done ? 1 : 0;
    return n;
}
