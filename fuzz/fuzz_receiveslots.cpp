// The read-reply store and the all-or-nothing decode of every conversation: replies of
// any length go into the receive slots, each with the address it was asked for; the
// store then either copies every kept block's 64 data bytes (found after the header among
// its first six bytes) to its rows or array bytes, or leaves image and array as they
// were, and never reads past what a slot holds. Blocks the input does not reach stay
// empty.

#include "image/areamap.h"
#include "image/memoryimage.h"
#include "link/areatransfer.h"
#include "link/bulkread.h"
#include "link/receiveslots.h"
#include "reach.h"

#include <cstring>
#include <vector>

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

struct Subject
{
    const char *name;
    AreaTransfer transfer;
};

// Every conversation's store: the bulk read's through the read window's own call, the
// editors' through their area transfers.
const std::vector<Subject> &subjects()
{
    static const std::vector<Subject> list = {
        {"bulk read", AreaTransfer::bulkRead()},   {"channels", AreaTransfer::channels()},
        {"FM", AreaTransfer::fm()},                {"options", AreaTransfer::options()},
        {"DTMF", AreaTransfer::dtmf()},            {"2-tone", AreaTransfer::twoTone()},
        {"5-tone", AreaTransfer::fiveTone()},      {"alignment", AreaTransfer::alignment()},
    };
    return list;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Reach::expect({"bulk read: every block copied into the image", "channels: every block copied into the image",
                   "refused: image and array left as they were"});
    return 0;
}

// Input: one byte chooses the conversation; then for each block in turn one length byte
// and that many reply bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const Subject &subject = subjects()[data[0] % subjects().size()];
    const AreaTransfer &transfer = subject.transfer;
    const bool bulk = data[0] % subjects().size() == 0;
    static const MemoryImage before = sentinel();
    static MemoryImage image;
    image = before;
    QByteArray arrayBefore(Area::AlignmentBytes, '\0');
    for (int i = 0; i < arrayBefore.size(); ++i)
        arrayBefore[i] = char(i * 3 + 1);
    QByteArray array = arrayBefore;

    ReceiveSlots replies;
    std::vector<QByteArray> stored(size_t(transfer.readCount() + 1));
    size_t at = 1;
    for (int k = 1; k <= transfer.readCount() && at < size; ++k) {
        const size_t wanted = data[at++];
        const size_t length = std::min(wanted, size - at);
        stored[k] = QByteArray(reinterpret_cast<const char *>(data + at), int(length));
        at += length;
        replies.store(k, stored[k], transfer.reads()[k - 1].address);
        FUZZ_CHECK(replies.slot(k) == stored[k].left(ReceiveSlots::SlotBytes), "a slot keeps its reply, cut at 71");
        stored[k] = replies.slot(k);
    }

    // The reference: what the image and the array must hold if the store goes through.
    MemoryImage expected = before;
    QByteArray expectedArray = arrayBefore;
    bool decodable = true;
    for (int k = 1; k <= transfer.readCount(); ++k) {
        const AreaTransfer::Block &block = transfer.reads()[k - 1];
        if (bulk)
            FUZZ_CHECK(k <= 197 ? block.place == AreaTransfer::Place::ImageRows && block.offset == 4 * (k - 1)
                                : block.place == AreaTransfer::Place::Nowhere,
                       "the bulk read keeps blocks 1..197 in rows 0..787 and drops the rest");
        const int start = referenceStart(stored[k], block.address);
        FUZZ_CHECK(replies.dataOffset(k) == start, "data offset of a slot");
        FUZZ_CHECK(start < 0 ? replies.data(k).isEmpty() : replies.data(k) == stored[k].mid(start, 64), "data of a slot");
        if (block.place == AreaTransfer::Place::Nowhere)
            continue;
        decodable = decodable && start >= 0;
        if (start < 0)
            continue;
        if (block.place == AreaTransfer::Place::ImageRows)
            expected.setRows(block.offset, stored[k].mid(start, 64));
        else
            expectedArray.replace(block.offset, 64, stored[k].mid(start, 64));
    }

    const bool decoded = bulk ? BulkRead::decodeInto(replies, image) : transfer.store(replies, image, &array);
    FUZZ_CHECK(decoded == decodable, "stored other than when every kept block holds its data");
    if (!decoded) {
        FUZZ_CHECK(image == before && array == arrayBefore, "a refused read changed the image or the array");
        Reach::hit("refused: image and array left as they were");
        return 0;
    }
    FUZZ_CHECK(image == expected, "the image holds other than the blocks' data at their rows");
    FUZZ_CHECK(array == expectedArray, "the array holds other than the blocks' data");
    if (bulk)
        Reach::hit("bulk read: every block copied into the image");
    else if (subject.transfer.reads().size() == AreaTransfer::channels().reads().size())
        Reach::hit("channels: every block copied into the image");
    return 0;
}
