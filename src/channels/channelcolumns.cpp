#include "channels/channelcolumns.h"

#include "channels/channeltexts.h"
#include "image/tonecodec.h"

#include <array>

namespace {

using E = ChannelColumn::Editor;
using R = ChannelRecord;
using F = ChannelFields;

// Header texts as the grid has always shown them, blanks included.
constexpr std::array<ChannelColumn, ChannelColumn::Count> Columns{{
    {F::Number, {"Channel", "信道号"}, 62, E::None, true, nullptr, nullptr, nullptr},
    {F::Band, {"  Band  ", " 工作频段 "}, 80, E::List, true, &R::bandText, &R::bandTexts, nullptr},
    {F::RxFrequency, {"RX Frequency", "接收频率(MHZ)"}, 104, E::Text, true, &R::rxFrequencyText, nullptr, nullptr},
    {F::TxFrequency, {"TX Frequency", "发射频率(MHZ)"}, 104, E::Text, true, &R::txFrequencyText, nullptr, nullptr},
    {F::RxTone, {"CTCSS/DCS Dec", "QT/DQT 解码"}, 112, E::TypedList, true, &R::rxToneText, &toneTableTexts, nullptr},
    {F::TxTone, {"CTCSS/DCS Enc", "QT/DQT 编码"}, 112, E::TypedList, true, &R::txToneText, &toneTableTexts, nullptr},
    {F::Power, ChannelText::PowerHeader, 78, E::List, true, &R::powerText, &R::powerTexts, &R::setPowerPosition},
    {F::Bandwidth, ChannelText::BandwidthHeader, 66, E::List, true, &R::bandwidthText, &R::bandwidthTexts, &R::setBandwidthPosition},
    {F::PttId, ChannelText::PttIdHeader, 66, E::List, true, &R::pttIdText, &R::pttIdTexts, &R::setPttIdPosition},
    {F::BusyLock, ChannelText::BusyLockHeader, 74, E::List, true, &R::busyLockText, &R::offOnTexts, &R::setBusyLockPosition},
    {F::ScanAdd, ChannelText::ScanAddHeader, 74, E::List, true, &R::scanAddText, &R::offOnTexts, &R::setScanAddPosition},
    {F::SignalCode, ChannelText::SignalCodeHeader, 66, E::List, true, &R::signalCodeText, &R::signalCodeTexts, &R::setSignalCodePosition},
    {F::Signalling, ChannelText::SignallingHeader, 66, E::List, true, &R::optionalSignallingText, &R::optionalSignallingTexts, &R::setOptionalSignallingPosition},
    {F::MuteMode, ChannelText::MuteModeHeader, 66, E::List, true, &R::muteModeText, &R::muteModeTexts, &R::setMuteModePosition},
    {F::Scrambler, ChannelText::ScramblerHeader, 50, E::List, true, &R::scramblerText, &R::offOnTexts, &R::setScramblerPosition},
    {F::Name, {"CH-Name", "信 道 名 称"}, 96, E::Text, false, &R::nameText, nullptr, nullptr},
}};

constexpr bool inFieldOrder()
{
    for (int c = 0; c < ChannelColumn::Count; ++c) {
        if (Columns[c].field != c)
            return false;
    }
    return true;
}
static_assert(inFieldOrder(), "a column's field is its position");

} // namespace

const ChannelColumn &ChannelColumn::at(int column)
{
    return Columns.at(column);
}

const KeyRule *ChannelColumn::keys() const
{
    // Frequencies are typed as MHz with a decimal point.
    static const KeyRule frequency = [] {
        KeyRule r;
        r.allowed = QStringLiteral("0123456789.");
        r.once = QStringLiteral(".");
        return r;
    }();
    // A tone is typed as a CTCSS value or a DCS code ("D023N"), its letters upper case.
    static const KeyRule tone = [] {
        KeyRule r;
        r.allowed = QStringLiteral("0123456789.DNI");
        r.upperCase = true;
        return r;
    }();
    if (editor == Editor::TypedList)
        return &tone;
    if (field == F::RxFrequency || field == F::TxFrequency)
        return &frequency;
    return nullptr;
}
