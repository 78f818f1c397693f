#pragma once

#include "image/bandlimits.h"
#include "image/fieldtable.h"
#include "image/tonecodec.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>

class MemoryImage;

// One channel: its 16-byte record in the channel area and its name row in the name area.
// Getters return what the channel grid shows; setters take list positions or typed text
// and change only the bits of their own field. The view holds no copy: it reads and
// writes the image each time, so it is always current after a file load or a read.
class ChannelRecord
{
public:
    static constexpr int Count = 200;
    static constexpr int NameLength = 6;
    // What a channel name may hold: 0-9 and A-Z.
    static bool isNameCharacter(QChar ch);
    static constexpr int NoFailingChannel = 255;

    // Byte offsets inside the record row.
    struct Offset
    {
        static constexpr int rxFrequency = 0;  // packed, 4 bytes; 0xFF in byte 0: empty channel
        static constexpr int txFrequency = 4;  // packed, 4 bytes; 0xFF in byte 4: receive only
        static constexpr int rxTone = 8;       // tone code, low byte first
        static constexpr int txTone = 10;      // tone code, low byte first
        static constexpr int signalCode = 12;  // bits 0-3
        static constexpr int signalling = 13;  // bits 0-3 optional signalling, 4-7 mute mode
        static constexpr int power = 14;       // bits 0-1 power, 4-7 scrambler
        static constexpr int flags = 15;       // 0-1 PTT-ID, 2 scan add, 3 busy lock, 6 narrow
    };
    // Byte offsets inside the name row.
    struct NameOffset
    {
        static constexpr int name = 0; // 6 bytes
    };

    ChannelRecord(MemoryImage &image, int channel);
    // For reading: make it `const`, so that only the getters can be called. The document
    // hands out its image as const, and every write goes through a change instead.
    ChannelRecord(const MemoryImage &image, int channel)
        : ChannelRecord(const_cast<MemoryImage &>(image), channel)
    {
    }

    int channel() const { return m_channel; }
    int recordRow() const;
    int nameRow() const;
    QByteArray recordBytes() const;
    QByteArray nameBytes() const;

    bool isEmpty() const;
    bool hasTxFrequency() const;

    // Display texts; every one is empty for an empty channel.
    QString bandText() const;          // "VHF/UHF "
    QString rxFrequencyText() const;   // "145.12500"
    QString txFrequencyText() const;   // empty without a transmit frequency
    QString rxToneText() const;        // "OFF", "67.0", "D023N"
    QString txToneText() const;        // empty without a transmit frequency
    QString powerText() const;         // "HIGH" / "LOW"
    QString bandwidthText() const;     // "W" / "N"
    QString pttIdText() const;         // "OFF" / "BOT" / "EOT" / "BOTH"
    QString busyLockText() const;      // "OFF" / "ON"
    QString scanAddText() const;       // "OFF" / "ON"
    QString signalCodeText() const;    // "1".."15", empty for the stored 15
    QString optionalSignallingText() const; // "OFF" / "DTMF" / "2TONE" / "5TONE"
    QString muteModeText() const;      // "QT" / "AND" / "OR"
    QString scramblerText() const;     // "OFF" / "ON"
    QString nameText() const;          // "0"-"9" and "A"-"Z" only
    QString radioNameText() const;     // the wider mapping used right after a channel read

    // Raw fields.
    ToneCode rxTone() const;
    ToneCode txTone() const;

    // Frequencies: moved onto the raster and packed. False (and nothing changed) when the
    // text is no frequency that can be packed. No band check here: the editor decides.
    bool setRxFrequency(const QString &text);
    bool setTxFrequency(const QString &text);
    bool setRxFrequencyHz(qint64 hz);
    bool setTxFrequencyHz(qint64 hz);
    // A receive-only channel: bytes 4-7 and the transmit tone 10-11 set to 0xFF.
    void clearTxFrequency();

    void setRxTone(ToneCode code);
    void setTxTone(ToneCode code);

    // List positions as the grid's value lists number them; out-of-range positions are
    // ignored and return false.
    bool setPowerPosition(int position);            // 0 HIGH, 1 LOW
    bool setBandwidthPosition(int position);        // 0 W, 1 N
    bool setPttIdPosition(int position);            // 0..3
    bool setBusyLockPosition(int position);         // 0 OFF, 1 ON
    bool setScanAddPosition(int position);          // 0 OFF, 1 ON
    bool setSignalCodePosition(int position);       // 0..14 shows 1..15
    bool setOptionalSignallingPosition(int position); // 0..3
    bool setMuteModePosition(int position);         // 0..2
    bool setScramblerPosition(int position);        // 0 OFF, 1 ON

    // Upper-cases the first 6 characters; each "0"-"9" / "A"-"Z" goes to its own position,
    // every other position (and bytes 6-15) holds 0xFF. Returns the text the cell shows
    // at once (the upper-cased first 6 characters).
    QString setName(const QString &text);

    // New-channel defaults in bytes 8-15 and a blank name row.
    void create();
    // Record and name row all 0xFF.
    void clear();

    // The list fields of the record, as the grid's list columns edit them. Power writes
    // through its row but decodes by its own rule (powerText()).
    static const FieldTable &listFields();
    static const ListField &power();
    static const ListField &bandwidth();
    static const ListField &pttId();
    static const ListField &busyLock();
    static const ListField &scanAdd();
    static const ListField &signalCode();
    static const ListField &optionalSignalling();
    static const ListField &muteMode();
    static const ListField &scrambler();

    // Value lists of the grid, position = stored value.
    static const QStringList &powerTexts();
    static const QStringList &bandwidthTexts();
    static const QStringList &pttIdTexts();
    static const QStringList &offOnTexts();
    static const QStringList &signalCodeTexts();
    static const QStringList &optionalSignallingTexts();
    static const QStringList &muteModeTexts();
    static const QStringList &bandTexts();

private:
    uint8_t byte(int offset) const;
    void setByte(int offset, uint8_t value);
    AreaView recordView() const;
    QString listText(const ListField &field) const;
    bool setPosition(const ListField &field, int position);

    MemoryImage &m_image;
    int m_channel;
};

// Whole-area operations, as start-up and the editor's buttons use them.
void createChannel(MemoryImage &image, int channel);
void clearChannel(MemoryImage &image, int channel);
// Rewrites the whole channel area with the default channel set; names are left alone.
void defaultChannels(MemoryImage &image);
// The first channel (0..199) whose receive or transmit frequency fails the pre-write
// check, or 255 when all pass. Frequencies with all four bytes 0xFF are skipped.
int channelBandCheck(const MemoryImage &image, const BandLimits &limits = BandLimits::current());

// Name texts from raw name bytes (only the first 6 are looked at); a name whose byte 0
// is 0xFF is no name.
QString channelNameText(const QByteArray &nameBytes);
// After a channel read the radio's own name codes are shown: 0-9 as digits, 17-37 as
// "A"-"U", 48-250 as that character, 251 "+", 253 "-"; a name starting with 0xFF is empty.
QString radioNameText(const QByteArray &nameBytes);
