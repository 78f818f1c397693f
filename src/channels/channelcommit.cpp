#include "channels/channelcommit.h"

#include "channels/channelgridmodel.h"
#include "channels/channelrecord.h"
#include "image/bandlimits.h"
#include "image/frequencycodec.h"

std::optional<qint64> ChannelValue::entryCheckedHz(const QString &text)
{
    const std::optional<qint64> hz = parseFrequencyHz(text);
    if (!hz || !frequencyInBand(*hz, BandCheck::Entry))
        return std::nullopt;
    return hz;
}

ChannelValue ChannelValue::check(int column, const QString &text)
{
    ChannelValue v;
    v.column = column;
    v.field = ChannelColumn::at(column).field;
    v.text = text.trimmed();
    if (v.field == ChannelFields::TxFrequency) {
        v.txHz = v.text.isEmpty() ? std::nullopt : entryCheckedHz(v.text);
        v.fits = v.text.isEmpty() || v.txHz;
    } else if (v.field == ChannelFields::Name) {
        v.nameCut = v.text.size() > ChannelRecord::NameLength;
        v.text = v.text.left(ChannelRecord::NameLength);
        v.fits = true;
    } else if (ChannelGridModel::isToneColumn(column)) {
        v.tone = encodeToneText(v.text);
        v.fits = bool(v.tone);
    } else if (ChannelColumn::at(column).setPosition) {
        v.position = ChannelGridModel::listEntries(column).indexOf(v.text);
        v.fits = v.position >= 0;
    }
    return v;
}

QString ChannelValue::storeIn(ChannelRecord &record) const
{
    switch (field) {
    case ChannelFields::TxFrequency:
        if (txHz)
            record.setTxFrequencyHz(*txHz);
        else
            record.clearTxFrequency();
        return QString();
    case ChannelFields::Name:
        return record.setName(text);
    default:
        break;
    }
    if (tone) {
        // The transmit tone follows the receive tone; it can then be set on its own.
        if (field == ChannelFields::RxTone)
            record.setRxTone(*tone);
        record.setTxTone(*tone);
    } else if (const auto setter = ChannelColumn::at(column).setPosition) {
        (record.*setter)(position);
    }
    return QString();
}
