#include "link/bulkread.h"

#include "image/areamap.h"
#include "image/memoryimage.h"
#include "link/receiveslots.h"

namespace BulkRead {

bool decodeInto(const ReceiveSlots &replies, MemoryImage &image)
{
    for (int k = 1; k <= Area::BulkReadStoredBlocks; ++k) {
        if (replies.dataOffset(k) < 0)
            return false;
    }
    constexpr int rowsPerBlock = Area::BlockBytes / MemoryImage::Columns;
    for (int k = 1; k <= Area::BulkReadStoredBlocks; ++k)
        image.setRows(Area::BulkReadRows.firstRow + rowsPerBlock * (k - 1), replies.data(k));
    return true;
}

} // namespace BulkRead
