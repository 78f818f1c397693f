// The configuration text from images: whatever an image holds (values no list has, 0xFF fields,
// garbage), exporting it and importing the text over the start-up image gives it back
// byte for byte, and the text the import was given is the text the result exports.
//
// Input: 16400 bytes or more are an image as it is. Anything shorter starts from the
// image its first byte picks (0 start-up, 1 erased, 2 the seeds' patterned image) and
// sets one byte per following three: address high, address low (modulo the image), value.
// Every run exports and imports a whole image (tens of milliseconds under the sanitizers);
// fuzz_configtext searches the reader itself with small texts.

#include "config/configtext.h"
#include "image/memoryimage.h"
#include "reach.h"
#include "startupimage.h"

#include <memory>

namespace {

void buildImage(const uint8_t *data, size_t size, MemoryImage &image)
{
    if (size >= size_t(MemoryImage::Size)) {
        for (int a = 0; a < MemoryImage::Size; ++a)
            image.setAt(a, data[a]);
        return;
    }
    image = startupImage();
    if (size == 0)
        return;
    if (data[0] == 1) {
        image.fill(0, MemoryImage::Rows - 1, MemoryImage::Empty);
    } else if (data[0] == 2) {
        for (int a = 0; a < MemoryImage::Size; ++a)
            image.setAt(a, uint8_t(a * 7 + 3));
    }
    for (size_t i = 1; i + 2 < size; i += 3)
        image.setAt(((data[i] << 8) | data[i + 1]) % MemoryImage::Size, data[i + 2]);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Reach::expect({"exported and read back byte for byte", "an image far from the start-up one"});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    auto image = std::make_unique<MemoryImage>();
    buildImage(data, size, *image);
    const QByteArray text = ConfigText::exportImage(*image);

    auto back = std::make_unique<MemoryImage>(startupImage());
    const ConfigText::ImportResult result = ConfigText::importInto(text, *back);
    if (!result.ok)
        std::fprintf(stderr, "%s\n", qPrintable(result.errorMessage()));
    FUZZ_CHECK(result.ok, "the program's own export is refused");
    FUZZ_CHECK(*back == *image, "exporting and importing changed a byte");
    FUZZ_CHECK(ConfigText::exportImage(*back) == text, "the imported image exports differently");
    Reach::hit("exported and read back byte for byte");
    int differing = 0;
    for (int a = 0; a < MemoryImage::Size; ++a)
        differing += image->at(a) != startupImage().at(a);
    if (differing > MemoryImage::Size / 2)
        Reach::hit("an image far from the start-up one");
    return 0;
}
