// The configuration text reader: any text (a section or a few keys, as a person or a script
// writes one), imported over the start-up image, is refused with the image left as it was
// and a reason given, or accepted; an accepted text, imported again over its own result,
// changes nothing more. Each run reads only its own small text, so the search spends its
// time in the reader (fuzz_configimage does the whole-image round trip).

#include "config/configtext.h"
#include "image/memoryimage.h"
#include "reach.h"
#include "startupimage.h"

#include <memory>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Reach::expect({"a text imported, and imported again to the same bytes", "a text refused, image left as it was"});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    auto image = std::make_unique<MemoryImage>(startupImage());
    const ConfigText::ImportResult result = ConfigText::importInto(text, *image);
    if (!result.ok) {
        FUZZ_CHECK(*image == startupImage(), "a refused text changed the image");
        FUZZ_CHECK(!result.errors.isEmpty(), "a refusal without its reason");
        Reach::hit("a text refused, image left as it was");
        return 0;
    }
    auto again = std::make_unique<MemoryImage>(*image);
    const ConfigText::ImportResult second = ConfigText::importInto(text, *again);
    if (!second.ok)
        std::fprintf(stderr, "%s\n", qPrintable(second.errorMessage()));
    FUZZ_CHECK(second.ok, "a text accepted once is refused over its own result");
    FUZZ_CHECK(*again == *image, "importing a text twice changed more than once");
    if (*image != startupImage())
        Reach::hit("a text imported, and imported again to the same bytes");
    return 0;
}
