// The read-reply store and the bulk read's decode: any 200 replies of any length go into
// the receive slots, each with the address it was asked for; the decode then either
// copies every block's 64 data bytes (found after the header among its first six bytes)
// into rows 0..787 or leaves the image as it was, and never reads past what a slot holds.
//
// Input: for each block in turn one length byte, then that many reply bytes; blocks the
// input does not reach stay empty.

#include "image/areamap.h"
#include "image/memoryimage.h"
#include "link/bulkread.h"
#include "link/receiveslots.h"
#include "reach.h"

#include <cstring>

namespace {

MemoryImage sentinel()
{
    MemoryImage image;
    for (int address = 0; address < MemoryImage::Size; ++address)
        image.setAt(address, uint8_t(address * 5 + 1));
    return image;
}

// Where the reference decode finds the data of a raw reply to a request for `address`,
// or -1: after the "X" that echoes the address and the length, else after the first "X",
// else at 4.
int referenceStart(const QByteArray &reply, int address)
{
    const auto b = [&](int i) { return i < reply.size() ? int(uint8_t(reply[i])) : -1; };
    int start = -1;
    for (int i = 0; i < 6 && start < 0; ++i) {
        if (b(i) == 0x58 && b(i + 1) == address >> 8 && b(i + 2) == (address & 0xFF) && b(i + 3) == 0x40)
            start = i + 4;
    }
    for (int i = 0; i < 6 && start < 0; ++i) {
        if (b(i) == 0x58)
            start = i + 4;
    }
    if (start < 0)
        start = 4;
    return start + 64 <= reply.size() ? start : -1;
}

int addressOf(int block)
{
    return (block - 1) * 64;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Reach::expect({"decoded: 197 blocks copied into the image", "refused: image left as it was"});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const MemoryImage before = sentinel();
    static MemoryImage image;
    image = before;
    ReceiveSlots replies;
    QByteArray stored[Area::BulkReadBlocks + 1];
    size_t at = 0;
    for (int k = 1; k <= Area::BulkReadBlocks && at < size; ++k) {
        const size_t wanted = data[at++];
        const size_t length = std::min(wanted, size - at);
        stored[k] = QByteArray(reinterpret_cast<const char *>(data + at), int(length));
        at += length;
        replies.store(k, stored[k], addressOf(k));
        FUZZ_CHECK(replies.slot(k) == stored[k].left(ReceiveSlots::SlotBytes), "a slot keeps its reply, cut at 71");
        stored[k] = replies.slot(k);
    }

    bool decodable = true;
    for (int k = 1; k <= Area::BulkReadStoredBlocks; ++k) {
        const int start = referenceStart(stored[k], addressOf(k));
        FUZZ_CHECK(replies.dataOffset(k) == start, "data offset of a slot");
        FUZZ_CHECK(start < 0 ? replies.data(k).isEmpty() : replies.data(k) == stored[k].mid(start, 64), "data of a slot");
        decodable = decodable && start >= 0;
    }

    const bool decoded = BulkRead::decodeInto(replies, image);
    FUZZ_CHECK(decoded == decodable, "decoded other than when every stored block holds its data");
    if (!decoded) {
        FUZZ_CHECK(image == before, "a refused read changed the image");
        Reach::hit("refused: image left as it was");
        return 0;
    }
    for (int k = 1; k <= Area::BulkReadStoredBlocks; ++k) {
        const int start = referenceStart(stored[k], addressOf(k));
        FUZZ_CHECK(std::memcmp(image.data() + (k - 1) * 64, stored[k].constData() + start, 64) == 0,
                   "a block's data at its rows");
    }
    FUZZ_CHECK(std::memcmp(image.data() + Area::FileOnly.firstAddress(), before.data() + Area::FileOnly.firstAddress(),
                           size_t(Area::FileOnly.byteCount()))
                   == 0,
               "rows past 787 untouched");
    Reach::hit("decoded: 197 blocks copied into the image");
    return 0;
}
