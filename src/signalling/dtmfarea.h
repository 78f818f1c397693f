#pragma once

#include "image/areaview.h"
#include "image/fieldtable.h"

#include <QString>
#include <QStringList>

class MemoryImage;

// The DTMF area (0x2900-0x2AFF): digit rows of one DTMF digit code per byte, the tone
// timing, the remote-function decode codes, the control IDs with their rights and the
// radio's RX/TX disable state.
namespace DtmfArea {

constexpr int EncodeCount = 15;
constexpr int DigitsPerRow = 16;
constexpr int RightsCount = 5; // Inspection, Monitor, Stun, Kill, Revive: bits 0..4

struct Offset
{
    static constexpr int encode(int n) { return 16 * (n - 1); } // n = 1..15
    static constexpr int onTime = 0xF0;
    static constexpr int offTime = 0xF1;
    static constexpr int inspection = 0x100;
    static constexpr int monitor = 0x110;
    static constexpr int alarm = 0x120;
    static constexpr int stun = 0x130;
    static constexpr int kill = 0x140;
    static constexpr int revive = 0x150;
    static constexpr int masterId = 0x1D0;
    static constexpr int viceId = 0x1E0;
    static constexpr int control = 0x1F0;
    static constexpr int masterRights = 0x1F1;
    static constexpr int viceRights = 0x1F2;
    static constexpr int state = 0x1F3;
    static constexpr int groupCode = 0x1F4;
    static constexpr int spaceCode = 0x1F5;
    static constexpr int delayProcessing = 0x1F6;
    static constexpr int resetTime = 0x1F7;
};

// State bits at Offset::state; the other bits belong to the radio.
constexpr uint8_t RxDisableBit = 0x01;
constexpr uint8_t TxDisableBit = 0x02;

AreaView view(MemoryImage &image);
// For reading (the document's image).
inline const AreaView view(const MemoryImage &image)
{
    return view(const_cast<MemoryImage &>(image));
}

// On and off time ("50" ... "2000"), delay processing ("100" ... "4000"), reset time
// ("100" ... "8000"): stored as list positions; past the end shows the last entry.
const ListField &onTime();
const ListField &offTime();
const ListField &delayProcessing();
const ListField &resetTime();
const FieldTable &timeFields();

// The decode codes and the control IDs: 16-byte digit rows, each with its configuration key
// and its caption.
struct NamedRow
{
    const char *key;
    int offset;
    const BiText &caption;
};
const std::vector<NamedRow> &namedRows();
// The caption of the named row at `offset`.
const BiText &rowCaption(int offset);

// The group and space code lists: "*", "#", "A", "B", "C", "D". They store the DTMF
// digit code of the character, not the position.
const QStringList &codeKeys();
// The list position a stored code shows, -1 for a code the list does not offer.
int codeKeyPosition(uint8_t code);

// The digits of a 16-byte row at `offset`, bytes without a digit dropped.
QString digits(const AreaView &area, int offset);
// The trimmed text into the row at `offset`: the row first all 0xFF, then one code per
// character (255 for a character without one), 16 at most.
void storeDigits(AreaView &area, int offset, const QString &text);

// Whole area 0xFF, then the factory set (start-up and Default).
void writeDefaults(MemoryImage &image);

} // namespace DtmfArea
