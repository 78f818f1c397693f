// The identification reply: accepted exactly when the model code and the end mark are in
// place, and every field of any reply of 50 bytes or more decodes without reading past it.

#include "link/radioidentity.h"
#include "reach.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Reach::expect({"accepted: fields decoded", "not accepted"});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A copy of exactly the input's length, so that a read past the reply shows.
    const QByteArray reply(reinterpret_cast<const char *>(data), int(size));
    const bool accepted = RadioIdentity::isAccepted(reply);
    const bool expected = size >= 50 && std::memcmp(data + 13, "QDMX", 4) == 0 && data[49] == 0x55;
    FUZZ_CHECK(accepted == expected, "accepted other than by model code and end mark");

    const RadioIdentity identity = RadioIdentity::parse(reply);
    if (size >= 50) {
        FUZZ_CHECK(identity.limits.aLower == data[1] * 100 + data[2] * 10 + data[3], "band A lower limit");
        FUZZ_CHECK(identity.limits.bUpper == data[10] * 100 + data[11] * 10 + data[12], "band B upper limit");
        FUZZ_CHECK(identity.modelName.size() == 6 && identity.firmware.size() == 6 && identity.number.size() == 16,
                   "text fields of their own lengths");
        for (int i = 0; i < 16; ++i)
            FUZZ_CHECK(identity.number.at(i).unicode() == data[33 + i], "the radio's number byte for byte");
        // The status-bar texts of whatever came in.
        FUZZ_CHECK(!identity.bandAText().isEmpty() && identity.numberText().size() == 20
                       && identity.firmwareText().size() == 9,
                   "status texts");
    } else {
        FUZZ_CHECK(identity.modelName.isEmpty() && identity.number.isEmpty(), "a short reply decoded");
    }
    Reach::hit(accepted ? "accepted: fields decoded" : "not accepted");
    return 0;
}
