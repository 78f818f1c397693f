#include "link/bulkread.h"

#include "link/areatransfer.h"

namespace BulkRead {

bool decodeInto(const ReceiveSlots &replies, MemoryImage &image)
{
    return AreaTransfer::bulkRead().store(replies, image);
}

} // namespace BulkRead
