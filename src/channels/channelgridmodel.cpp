#include "channels/channelgridmodel.h"

#include "image/areamap.h"

#include <utility>

#include "channels/channelrecord.h"
#include "channels/channeltexts.h"
#include "image/bandlimits.h"
#include "image/frequencycodec.h"
#include "image/memoryimage.h"
#include "image/tonecodec.h"
#include "texts/commontexts.h"


namespace {

// The band list has a single entry; a chosen band shows without the trailing blank
// that a decoded channel carries.
const QStringList &bandEntries()
{
    static const QStringList list{QStringLiteral("VHF/UHF")};
    return list;
}

std::optional<qint64> entryCheckedHz(const QString &text)
{
    const std::optional<qint64> hz = parseFrequencyHz(text);
    if (!hz || !frequencyInBand(*hz, BandCheck::Entry))
        return std::nullopt;
    return hz;
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
    for (const QString &h : ChannelText::Headers.text(chinese).split(QLatin1Char('|'))) {
        QString header = h;
        if (header.startsWith(QLatin1Char('^')))
            header.remove(0, 1);
        m_headers << header;
    }
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
        return index.column() == Name ? QVariant(Qt::AlignLeft | Qt::AlignVCenter) : QVariant(Qt::AlignCenter);
    default:
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
    const QString text = value.toString();
    switch (index.column()) {
    case Band:
        return commitBand(ch, text);
    case RxFrequency:
        return commitRxFrequency(ch, text);
    case TxFrequency:
        return commitTxFrequency(ch, text);
    case RxTone:
    case TxTone:
        return commitTone(ch, index.column(), text);
    case Name:
        return commitName(ch, text);
    default:
        if (isListColumn(index.column()))
            return commitListPosition(ch, index.column(), listEntries(index.column()).indexOf(text.trimmed()));
        return false;
    }
}

QString ChannelGridModel::cellText(int channel, int column) const
{
    return m_cells[channel][column];
}

bool ChannelGridModel::isTextColumn(int column)
{
    return column == RxFrequency || column == TxFrequency || column == Name;
}

bool ChannelGridModel::isListColumn(int column)
{
    return column == Band || (column >= RxTone && column <= Scrambler);
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
    switch (column) {
    case Band:
        return bandEntries();
    case RxTone:
    case TxTone:
        return toneTableTexts();
    case Power:
        return ChannelRecord::powerTexts();
    case Bandwidth:
        return ChannelRecord::bandwidthTexts();
    case PttId:
        return ChannelRecord::pttIdTexts();
    case BusyLock:
    case ScanAdd:
    case Scrambler:
        return ChannelRecord::offOnTexts();
    case SignalCode:
        return ChannelRecord::signalCodeTexts();
    case Signalling:
        return ChannelRecord::optionalSignallingTexts();
    case MuteMode:
        return ChannelRecord::muteModeTexts();
    default:
        return {};
    }
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
        row[Band] = rec.bandText();
        row[RxFrequency] = rec.rxFrequencyText();
        row[TxFrequency] = rec.txFrequencyText();
        row[RxTone] = rec.rxToneText();
        row[TxTone] = rec.txToneText();
        row[Power] = rec.powerText();
        row[Bandwidth] = rec.bandwidthText();
        row[PttId] = rec.pttIdText();
        row[BusyLock] = rec.busyLockText();
        row[ScanAdd] = rec.scanAddText();
        row[SignalCode] = rec.signalCodeText();
        row[Signalling] = rec.optionalSignallingText();
        row[MuteMode] = rec.muteModeText();
        row[Scrambler] = rec.scramblerText();
        row[Name] = rec.nameText();
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
    auto header = [column](bool chinese) {
        QString h = ChannelText::Headers.text(chinese).split(QLatin1Char('|')).value(column);
        h.remove(QLatin1Char('^'));
        return h.trimmed();
    };
    return {QStringLiteral("channel %1 %2").arg(channel).arg(header(false)),
            QStringLiteral("信道 %1 %2").arg(channel).arg(header(true))};
}

bool ChannelGridModel::edit(int channel, int column, const std::function<bool()> &commit)
{
    const bool outer = !m_applying;
    m_applying = true;
    const bool stored = m_document.applyToImage(cellStep(channel, column), [&](MemoryImage &image) {
        MemoryImage *const before = std::exchange(m_editing, &image);
        const bool accepted = commit();
        m_editing = before;
        return accepted;
    });
    if (outer)
        m_applying = false;
    return stored;
}

MemoryImage &ChannelGridModel::editing()
{
    Q_ASSERT(m_editing);
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

QString ChannelGridModel::bandLowerText() const
{
    return frequencyText(qint64(BandLimits::current().aLower) * Frequency::HzPerMHz);
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
    if (const std::optional<qint64> hz = entryCheckedHz(t)) {
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
    const QString t = text.trimmed();
    if (m_cells[channel][RxFrequency].isEmpty() && !t.isEmpty()) {
        emit refused(CommonText::PromptTitle, ChannelText::RxFirst);
        displayChannel(channel);
        emitRowChanged(channel);
        return false;
    }
    if (t.isEmpty()) {
        rec.clearTxFrequency();
    } else if (const std::optional<qint64> hz = entryCheckedHz(t)) {
        rec.setTxFrequencyHz(*hz);
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
    const std::optional<ToneCode> code = encodeToneText(text.trimmed());
    if (code) {
        // The transmit tone follows the receive tone; it can then be set on its own.
        if (column == RxTone)
            rec.setRxTone(*code);
        rec.setTxTone(*code);
    }
    displayChannel(channel);
    emitRowChanged(channel);
    return bool(code);
}

bool ChannelGridModel::commitListPositionNow(int channel, int column, int position)
{
    ChannelRecord rec(editing(), channel);
    bool stored = false;
    switch (column) {
    case Power:
        stored = rec.setPowerPosition(position);
        break;
    case Bandwidth:
        stored = rec.setBandwidthPosition(position);
        break;
    case PttId:
        stored = rec.setPttIdPosition(position);
        break;
    case BusyLock:
        stored = rec.setBusyLockPosition(position);
        break;
    case ScanAdd:
        stored = rec.setScanAddPosition(position);
        break;
    case SignalCode:
        stored = rec.setSignalCodePosition(position);
        break;
    case Signalling:
        stored = rec.setOptionalSignallingPosition(position);
        break;
    case MuteMode:
        stored = rec.setMuteModePosition(position);
        break;
    case Scrambler:
        stored = rec.setScramblerPosition(position);
        break;
    default:
        break;
    }
    if (stored)
        setCell(channel, column, listEntries(column).at(position));
    return stored;
}

bool ChannelGridModel::commitNameNow(int channel, const QString &text)
{
    QString t = text.trimmed();
    if (t.size() > ChannelRecord::NameLength) {
        emit refused(CommonText::PromptTitleCapital, ChannelText::NameTooLong);
        t = t.left(ChannelRecord::NameLength);
    }
    // An empty channel has no name.
    if (m_cells[channel][Band].isEmpty()) {
        setCell(channel, Name, QString());
        return false;
    }
    setCell(channel, Name, ChannelRecord(editing(), channel).setName(t));
    return true;
}
