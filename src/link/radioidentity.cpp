#include "link/radioidentity.h"

#include "link/protocol.h"

namespace {
namespace Offset {
constexpr int bandALower = 1;
constexpr int bandAUpper = 4;
constexpr int bandBLower = 7;
constexpr int bandBUpper = 10;
constexpr int modelCode = 13;
constexpr int modelName = 17;
constexpr int firmware = 23;
constexpr int number = 33;
constexpr int endMark = 49;
} // namespace Offset
constexpr int ModelNameLength = 6;
constexpr int FirmwareLength = 6;
constexpr int NumberLength = 16;
constexpr uint8_t EndMark = 0x55;

// Three bytes holding the digit values (not characters) of hundreds, tens and units.
int decodeDigitsMHz(const QByteArray &reply, int offset)
{
    const auto b = [&](int i) { return int(uint8_t(reply[offset + i])); };
    return b(0) * 100 + b(1) * 10 + b(2);
}

// The radio's texts are single-byte characters, one character per byte.
QString characters(const QByteArray &reply, int offset, int length)
{
    return QString::fromLatin1(reply.mid(offset, length));
}
} // namespace

bool RadioIdentity::isAccepted(const QByteArray &reply)
{
    if (reply.size() < Protocol::IdentificationBytes)
        return false;
    return reply.mid(Offset::modelCode, 4) == modelCode() && uint8_t(reply[Offset::endMark]) == EndMark;
}

RadioIdentity RadioIdentity::parse(const QByteArray &reply)
{
    RadioIdentity id;
    if (reply.size() < Protocol::IdentificationBytes)
        return id;
    id.limits.aLower = decodeDigitsMHz(reply, Offset::bandALower);
    id.limits.aUpper = decodeDigitsMHz(reply, Offset::bandAUpper);
    id.limits.bLower = decodeDigitsMHz(reply, Offset::bandBLower);
    id.limits.bUpper = decodeDigitsMHz(reply, Offset::bandBUpper);
    id.modelName = characters(reply, Offset::modelName, ModelNameLength);
    id.firmware = characters(reply, Offset::firmware, FirmwareLength);
    id.number = characters(reply, Offset::number, NumberLength);
    return id;
}

QString RadioIdentity::bandText(int lower, int upper)
{
    return QStringLiteral("%1--%2 MHZ").arg(lower).arg(upper);
}

QString RadioIdentity::numberText() const
{
    return number.mid(0, 6) + QStringLiteral("--") + number.mid(6, 6) + QStringLiteral("--") + number.mid(12, 4);
}

QString RadioIdentity::firmwareText() const
{
    return firmware.mid(0, 2) + QLatin1Char('.') + firmware.mid(2, 2) + QLatin1Char('.') + firmware.mid(4, 1)
        + QLatin1Char('.') + firmware.mid(5, 1);
}
