// The ".dat" reader: whatever the bytes, it either loads every cell exactly as the file
// says or refuses with a message and leaves the image as it was.

#include "files/datafile.h"
#include "image/memoryimage.h"
#include "reach.h"
#include "referencenumbers.h"

namespace {

// No file the program writes looks like this, so a load that reached the image shows.
MemoryImage sentinel()
{
    MemoryImage image;
    for (int address = 0; address < MemoryImage::Size; ++address)
        image.setAt(address, uint8_t(address * 7 + 3));
    return image;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Reach::expect({"loaded: every cell copied into the image", "refused: image left as it was"});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const MemoryImage before = sentinel();
    static MemoryImage image;
    image = before;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    const FileResult result = DataFile::parse(bytes, image);
    if (!result.ok) {
        FUZZ_CHECK(image == before, "a refused file changed the image");
        FUZZ_CHECK(!result.messageEn.isEmpty() && !result.messageZh.isEmpty(), "a refusal without its message");
        Reach::hit("refused: image left as it was");
        return 0;
    }
    const std::vector<std::string> tokens = referenceTokens(data, size);
    FUZZ_CHECK(tokens.size() >= size_t(MemoryImage::Rows * DataFile::NumbersPerLine), "loaded a file that is short");
    for (int row = 0; row < MemoryImage::Rows; ++row) {
        for (int column = 0; column < MemoryImage::Columns; ++column) {
            const int expected = referenceByte(tokens[size_t(row * DataFile::NumbersPerLine + DataFile::LabelsPerLine + column)]);
            FUZZ_CHECK(expected >= 0, "loaded a cell that is not a number from 0 to 255");
            FUZZ_CHECK(image.cell(row, column) == expected, "a cell differs from the file");
        }
    }
    if (image != before)
        Reach::hit("loaded: every cell copied into the image");
    return 0;
}
