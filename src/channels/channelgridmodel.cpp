#include "channels/channelgridmodel.h"

#include "image/areamap.h"

#include <algorithm>
#include <utility>

#include "channels/channelcommit.h"
#include "channels/channelrecord.h"
#include "channels/channeltexts.h"
#include "image/bandlimits.h"
#include "image/frequencycodec.h"
#include "image/memoryimage.h"
#include "image/tonecodec.h"
#include "texts/commontexts.h"


namespace {

// "channel 12" and its Chinese, from the one text pair.
StepLabel both(const BiText &text, int a, int b = -1)
{
    auto one = [&](bool chinese) {
        const QString t = text.text(chinese).arg(a);
        return b < 0 ? t : t.arg(b);
    };
    return {one(false), one(true)};
}

StepLabel joined(const BiText &verb, const StepLabel &what)
{
    return {verb.text(false) + QLatin1Char(' ') + what.en, verb.text(true) + QLatin1Char(' ') + what.zh};
}

QVector<int> sortedUnique(QVector<int> channels)
{
    std::sort(channels.begin(), channels.end());
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
    return channels;
}

} // namespace

ChannelGridModel::ChannelGridModel(Document &document, bool chinese, QObject *parent)
    : QAbstractTableModel(parent)
    , m_document(document)
    , m_cells(RowCount)
{
    // Whoever changed channels (another window, a file, a read, an undo), their rows show
    // it; the grid's own edits show what was typed, so they are not shown over.
    connect(&m_document, &Document::changed, this, [this](const DocumentRanges &ranges) {
        if (!m_applying)
            followChange(ranges);
    });
    for (int c = 0; c < ColumnCount; ++c)
        m_headers << ChannelColumn::at(c).header.text(chinese);
    for (int ch = 0; ch < RowCount; ++ch)
        m_cells[ch][Number] = QString::number(ch);
    displayAll();
}

int ChannelGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : RowCount;
}

int ChannelGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ChannelGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_cells[index.row()][index.column()];
    case Qt::TextAlignmentRole:
        return ChannelColumn::at(index.column()).centred ? QVariant(Qt::AlignCenter) : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return cellEditing(index, role);
    }
}

QVariant ChannelGridModel::cellEditing(const QModelIndex &index, int role) const
{
    const ChannelColumn &column = ChannelColumn::at(index.column());
    switch (role) {
    case GridCell::EditorRole:
        return int(column.editor);
    case GridCell::EntriesRole:
        return listEntries(index.column());
    case GridCell::PositionRole:
        return column.isList() ? listEntries(index.column()).indexOf(m_cells[index.row()][index.column()].trimmed()) : -1;
    case GridCell::KeysRole:
        return column.keys() ? QVariant::fromValue(*column.keys()) : QVariant();
    case GridCell::EnterRole:
        // In the band list Enter does nothing.
        return int(column.field == Band ? GridCell::Enter::Ignored : GridCell::Enter::Commits);
    default:
        // A list is stored when its cell is left (GridCell::Store::OnLeaving).
        return {};
    }
}

QVariant ChannelGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_headers.size())
        return m_headers.at(section);
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return section;
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags ChannelGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (canEdit(index.row(), index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool ChannelGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const int ch = index.row();
    const int column = index.column();
    // The list overlay stores the position of the entry chosen; a pasted value is text.
    const bool position = value.userType() == QMetaType::Int && ChannelColumn::at(column).editor == ChannelColumn::Editor::List;
    const QString text = position ? listEntries(column).value(value.toInt()) : value.toString();
    if (m_targets && isSharedColumn(column)) {
        const std::optional<QVector<int>> targets = m_targets();
        if (!targets) {
            displayChannel(ch);
            emitRowChanged(ch);
            return false;
        }
        if (targets->size() > 1 && targets->contains(ch))
            return commitToChannels(*targets, column, text);
    }
    switch (ChannelColumn::at(column).field) {
    case Band:
        return commitBand(ch, text);
    case RxFrequency:
        return commitRxFrequency(ch, text);
    case TxFrequency:
        return commitTxFrequency(ch, text);
    case Name:
        return commitName(ch, text);
    default:
        break;
    }
    if (isToneColumn(column))
        return commitTone(ch, column, text);
    if (isListColumn(column))
        return commitListPosition(ch, column, listEntries(column).indexOf(text.trimmed()));
    return false;
}

QString ChannelGridModel::cellText(int channel, int column) const
{
    return m_cells[channel][column];
}

bool ChannelGridModel::isTextColumn(int column)
{
    return ChannelColumn::at(column).editor == ChannelColumn::Editor::Text;
}

bool ChannelGridModel::isListColumn(int column)
{
    return ChannelColumn::at(column).isList();
}

bool ChannelGridModel::isToneColumn(int column)
{
    return ChannelColumn::at(column).editor == ChannelColumn::Editor::TypedList;
}

bool ChannelGridModel::isSharedColumn(int column)
{
    // A band or a receive frequency creates or empties a channel: one at a time.
    const ChannelColumn &c = ChannelColumn::at(column);
    return c.field == TxFrequency || c.field == Name || isToneColumn(column) || c.setPosition;
}

bool ChannelGridModel::canEdit(int channel, int column) const
{
    if (column == Number)
        return false;
    if (column == Band || isTextColumn(column))
        return true;
    if (m_cells[channel][Band].isEmpty())
        return false;
    if (column == TxTone && m_cells[channel][RxFrequency].isEmpty())
        return false;
    return true;
}

QStringList ChannelGridModel::listEntries(int column)
{
    const ChannelColumn &c = ChannelColumn::at(column);
    return c.entries ? c.entries() : QStringList();
}

QModelIndex ChannelGridModel::indexAfterEnter(const QModelIndex &from) const
{
    if (!from.isValid())
        return {};
    const int ch = from.row();
    switch (from.column()) {
    case RxFrequency:
        return index(ch, TxFrequency);
    case TxFrequency:
        if (m_cells[ch][RxFrequency].isEmpty() && m_cells[ch][TxFrequency].isEmpty())
            return ch + 1 < RowCount ? index(ch + 1, Band) : QModelIndex();
        return index(ch, RxTone);
    default:
        if (from.column() >= RxTone && from.column() <= Scrambler)
            return index(ch, from.column() + 1);
        return {};
    }
}

void ChannelGridModel::setCell(int channel, int column, const QString &text)
{
    m_cells[channel][column] = text;
    const QModelIndex i = index(channel, column);
    emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
}

void ChannelGridModel::emitRowChanged(int channel)
{
    emit dataChanged(index(channel, 0), index(channel, ColumnCount - 1), {Qt::DisplayRole, Qt::EditRole});
}

void ChannelGridModel::displayChannel(int channel)
{
    const ChannelRecord rec(m_document.image(), channel);
    auto &row = m_cells[channel];
    row[Number] = QString::number(channel);
    if (rec.isEmpty()) {
        for (int c = Band; c < ColumnCount; ++c)
            row[c].clear();
    } else {
        for (int c = Band; c < ColumnCount; ++c)
            row[c] = (rec.*ChannelColumn::at(c).text)();
    }
}

void ChannelGridModel::displayAll()
{
    for (int ch = 0; ch < RowCount; ++ch)
        displayChannel(ch);
    emit dataChanged(index(0, 0), index(RowCount - 1, ColumnCount - 1), {Qt::DisplayRole, Qt::EditRole});
}

void ChannelGridModel::displayRadioNames()
{
    for (int ch = 0; ch < RowCount; ++ch)
        m_cells[ch][Name] = ChannelRecord(m_document.image(), ch).radioNameText();
    emit dataChanged(index(0, Name), index(RowCount - 1, Name), {Qt::DisplayRole, Qt::EditRole});
}

void ChannelGridModel::clearAll(MemoryImage &image)
{
    for (int ch = 0; ch < RowCount; ++ch)
        clearChannel(image, ch);
}

void ChannelGridModel::loadDefaults(MemoryImage &image)
{
    defaultChannels(image);
}

void ChannelGridModel::followChange(const DocumentRanges &ranges)
{
    for (int ch = 0; ch < RowCount; ++ch) {
        const int record = MemoryImage::addressOf(Area::Channels.firstRow + ch, 0);
        const int name = MemoryImage::addressOf(Area::ChannelNames.firstRow + ch, 0);
        if (touchesImage(ranges, record, record + MemoryImage::Columns - 1)
            || touchesImage(ranges, name, name + MemoryImage::Columns - 1)) {
            displayChannel(ch);
            emitRowChanged(ch);
        }
    }
}

StepLabel ChannelGridModel::cellStep(int channel, int column)
{
    const BiText &header = ChannelColumn::at(column).header;
    const StepLabel what = both(ChannelText::OneChannel, channel);
    return {what.en + QLatin1Char(' ') + header.text(false).trimmed(), what.zh + QLatin1Char(' ') + header.text(true).trimmed()};
}

bool ChannelGridModel::edit(int channel, int column, const std::function<bool()> &commit)
{
    const bool outer = !m_applying;
    m_applying = true;
    const bool stored = m_document.applyToImage(cellStep(channel, column), [&](MemoryImage &image) {
        return m_editing.during(image, commit);
    });
    if (outer)
        m_applying = false;
    return stored;
}

MemoryImage &ChannelGridModel::editing()
{
    return *m_editing;
}

bool ChannelGridModel::commitBand(int channel, const QString &text)
{
    return edit(channel, Band, [&] { return commitBandNow(channel, text); });
}

bool ChannelGridModel::commitRxFrequency(int channel, const QString &text)
{
    return edit(channel, RxFrequency, [&] { return commitRxFrequencyNow(channel, text); });
}

bool ChannelGridModel::commitTxFrequency(int channel, const QString &text)
{
    return edit(channel, TxFrequency, [&] { return commitTxFrequencyNow(channel, text); });
}

bool ChannelGridModel::commitTone(int channel, int column, const QString &text)
{
    return edit(channel, column, [&] { return commitToneNow(channel, column, text); });
}

bool ChannelGridModel::commitListPosition(int channel, int column, int position)
{
    return edit(channel, column, [&] { return commitListPositionNow(channel, column, position); });
}

bool ChannelGridModel::commitName(int channel, const QString &text)
{
    return edit(channel, Name, [&] { return commitNameNow(channel, text); });
}

bool ChannelGridModel::commitBandNow(int channel, const QString &text)
{
    if (text.trimmed() == m_cells[channel][Band].trimmed())
        return false;
    clearChannel(editing(), channel);
    auto &row = m_cells[channel];
    for (int c = RxFrequency; c < ColumnCount; ++c)
        row[c].clear();
    row[Band] = text;
    emitRowChanged(channel);
    return true;
}

bool ChannelGridModel::commitRxFrequencyNow(int channel, const QString &text)
{
    ChannelRecord rec(editing(), channel);
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        rec.clear();
        displayChannel(channel);
        emitRowChanged(channel);
        return true;
    }
    const bool wasEmpty = rec.isEmpty();
    if (const std::optional<qint64> hz = ChannelValue::entryCheckedHz(t)) {
        if (wasEmpty)
            rec.create();
        // Always: a new receive frequency makes a duplex channel simplex again.
        rec.setTxFrequencyHz(*hz);
        rec.setRxFrequencyHz(*hz);
    } else {
        emit refused(CommonText::PromptTitle, ChannelText::RxOutOfRange);
        const qint64 lower = qint64(BandLimits::current().aLower) * Frequency::HzPerMHz;
        if (wasEmpty) {
            rec.create();
            rec.setTxFrequencyHz(lower);
        }
        rec.setRxFrequencyHz(lower);
    }
    displayChannel(channel);
    emitRowChanged(channel);
    return true;
}

bool ChannelGridModel::commitTxFrequencyNow(int channel, const QString &text)
{
    ChannelRecord rec(editing(), channel);
    const ChannelValue value = ChannelValue::check(TxFrequency, text);
    if (m_cells[channel][RxFrequency].isEmpty() && !value.text.isEmpty()) {
        emit refused(CommonText::PromptTitle, ChannelText::RxFirst);
        displayChannel(channel);
        emitRowChanged(channel);
        return false;
    }
    if (value.fits) {
        value.storeIn(rec);
    } else {
        emit refused(CommonText::PromptTitle, ChannelText::TxOutOfRange);
        rec.setTxFrequencyHz(qint64(BandLimits::current().aLower) * Frequency::HzPerMHz);
        rec.setTxTone(ToneCode{MemoryImage::Empty, MemoryImage::Empty});
    }
    displayChannel(channel);
    emitRowChanged(channel);
    return true;
}

bool ChannelGridModel::commitToneNow(int channel, int column, const QString &text)
{
    ChannelRecord rec(editing(), channel);
    const ChannelValue value = ChannelValue::check(column, text);
    if (value.fits)
        value.storeIn(rec);
    displayChannel(channel);
    emitRowChanged(channel);
    return value.fits;
}

bool ChannelGridModel::commitListPositionNow(int channel, int column, int position)
{
    ChannelRecord rec(editing(), channel);
    const auto setter = ChannelColumn::at(column).setPosition;
    const bool stored = setter && (rec.*setter)(position);
    if (stored)
        setCell(channel, column, listEntries(column).at(position));
    return stored;
}

bool ChannelGridModel::commitNameNow(int channel, const QString &text)
{
    const ChannelValue value = ChannelValue::check(Name, text);
    if (value.nameCut)
        emit refused(CommonText::PromptTitleCapital, ChannelText::NameTooLong);
    // An empty channel has no name.
    if (m_cells[channel][Band].isEmpty()) {
        setCell(channel, Name, QString());
        return false;
    }
    ChannelRecord rec(editing(), channel);
    setCell(channel, Name, value.storeIn(rec));
    return true;
}

StepLabel ChannelGridModel::channelsText(const QVector<int> &list)
{
    const QVector<int> channels = sortedUnique(list);
    if (channels.size() == 1)
        return both(ChannelText::OneChannel, channels.first());
    if (channels.last() - channels.first() + 1 == channels.size())
        return both(ChannelText::ChannelRun, channels.first(), channels.last());
    return both(ChannelText::SomeChannels, int(channels.size()));
}

bool ChannelGridModel::commitToChannels(const QVector<int> &list, int column, const QString &text)
{
    const QVector<int> channels = sortedUnique(list);
    const ChannelColumn &col = ChannelColumn::at(column);
    if (!isSharedColumn(column))
        return false;
    // The value is checked once; a value the band check refuses goes to no channel.
    const ChannelValue value = ChannelValue::check(column, text);
    const bool valueFits = value.fits;
    if (value.nameCut)
        emit refused(CommonText::PromptTitleCapital, ChannelText::NameTooLong);
    // An unknown tone or list entry is ignored, as in one cell.
    if (!valueFits && col.field != TxFrequency) {
        for (int ch : channels) {
            displayChannel(ch);
            emitRowChanged(ch);
        }
        return false;
    }

    QVector<int> applied;
    QVector<int> kept;
    QString shownName;
    m_applying = true;
    const StepLabel what = channelsText(channels);
    const StepLabel label{what.en + QLatin1Char(' ') + col.header.text(false).trimmed(),
                          what.zh + QLatin1Char(' ') + col.header.text(true).trimmed()};
    const bool stored = m_document.applyToImage(label, [&](MemoryImage &image) {
        for (int ch : channels) {
            ChannelRecord rec(image, ch);
            if (rec.isEmpty() || !valueFits) {
                kept << ch;
                continue;
            }
            shownName = value.storeIn(rec);
            applied << ch;
        }
        return !applied.isEmpty();
    });
    m_applying = false;
    for (int ch : channels) {
        if (kept.contains(ch) && ChannelRecord(m_document.image(), ch).isEmpty())
            continue; // a row that has only its band keeps showing it
        displayChannel(ch);
        if (stored && col.field == Name && applied.contains(ch))
            m_cells[ch][Name] = shownName;
        emitRowChanged(ch);
    }
    if (!kept.isEmpty()) {
        QStringList numbers;
        for (int ch : kept)
            numbers << QString::number(ch);
        const QString list = numbers.join(QStringLiteral(", "));
        emit refusedWith(CommonText::PromptTitle, ChannelText::notAppliedTo(list, false),
                         ChannelText::notAppliedTo(list, true));
    }
    return stored;
}

bool ChannelGridModel::emptyChannels(const StepLabel &label, const QVector<int> &channels)
{
    return m_document.applyToImage(label, [&](MemoryImage &image) {
        for (int ch : channels)
            clearChannel(image, ch);
        return true;
    });
}

bool ChannelGridModel::insertEmptyChannels(int channel, int count)
{
    bool room = true;
    m_document.applyToImage(joined(ChannelText::StepInsert, channelsText({channel})), [&](MemoryImage &image) {
        // Each empty channel goes below the one made before it.
        for (int i = 0; i < count && room; ++i)
            room = channel + i < RowCount && ChannelMoves::insertEmpty(image, channel + i);
        return room;
    });
    if (!room)
        emit refused(CommonText::PromptTitle, ChannelText::NoRoomBelow);
    return room;
}

bool ChannelGridModel::removeChannels(const QVector<int> &list)
{
    QVector<int> channels = sortedUnique(list);
    return m_document.applyToImage(joined(ChannelText::StepRemove, channelsText(channels)), [&](MemoryImage &image) {
        // From the last, so that each removal leaves the channels still to go where they were.
        for (auto it = channels.crbegin(); it != channels.crend(); ++it)
            ChannelMoves::removeClosingGap(image, *it);
        return true;
    });
}

bool ChannelGridModel::moveChannels(const QVector<int> &channels, bool up)
{
    return m_document.applyToImage(joined(up ? ChannelText::StepMoveUp : ChannelText::StepMoveDown, channelsText(channels)),
                                   [&](MemoryImage &image) { return ChannelMoves::moveBlock(image, channels, up); });
}

bool ChannelGridModel::sortChannels(const QVector<int> &channels, ChannelMoves::SortKey key)
{
    const BiText &verb = key == ChannelMoves::SortKey::RxFrequency ? ChannelText::StepSortRx
                         : key == ChannelMoves::SortKey::Name      ? ChannelText::StepSortName
                                                                   : ChannelText::StepSortTone;
    return m_document.applyToImage(joined(verb, channelsText(channels)), [&](MemoryImage &image) {
        ChannelMoves::sortChannels(image, channels, key);
        return true;
    });
}

ChannelClipboard::Paste ChannelGridModel::paste(const QString &text, const QByteArray &bytes, int first)
{
    ChannelClipboard::Paste result;
    m_document.applyToImage(joined(ChannelText::StepPaste, channelsText({first})), [&](MemoryImage &image) {
        result = ChannelClipboard::paste(text, bytes, image, first);
        return result.ok();
    });
    if (!result.ok()) {
        emit refusedWith(CommonText::PromptTitle, result.refusal(false), result.refusal(true));
    } else if (!result.import.notices.isEmpty()) {
        emit refusedWith(CommonText::PromptTitle, ChannelCsv::problemList(result.import.notices, false),
                         ChannelCsv::problemList(result.import.notices, true));
    }
    return result;
}
