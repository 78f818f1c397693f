// The ".adj" reader: all 256 values exactly as the file says, or a refusal with a message
// and the table as it was.

#include "files/adjustfile.h"
#include "reach.h"
#include "referencenumbers.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Reach::expect({"loaded: every value copied into the table", "refused: table left as it was"});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    AdjustFile::Table before;
    for (size_t i = 0; i < before.size(); ++i)
        before[i] = uint8_t(i * 11 + 5);
    AdjustFile::Table table = before;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    const FileResult result = AdjustFile::parse(bytes, table);
    if (!result.ok) {
        FUZZ_CHECK(table == before, "a refused file changed the table");
        FUZZ_CHECK(!result.messageEn.isEmpty() && !result.messageZh.isEmpty(), "a refusal without its message");
        Reach::hit("refused: table left as it was");
        return 0;
    }
    const std::vector<std::string> tokens = referenceTokens(data, size);
    FUZZ_CHECK(tokens.size() >= table.size(), "loaded a file that is short");
    for (size_t i = 0; i < table.size(); ++i) {
        const int expected = referenceByte(tokens[i]);
        FUZZ_CHECK(expected >= 0, "loaded a value that is not a number from 0 to 255");
        FUZZ_CHECK(table[i] == expected, "a value differs from the file");
    }
    if (table != before)
        Reach::hit("loaded: every value copied into the table");
    return 0;
}
