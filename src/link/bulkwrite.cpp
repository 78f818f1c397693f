#include "link/bulkwrite.h"

namespace BulkWrite {
namespace {
Steps &installed()
{
    static Steps steps;
    return steps;
}
} // namespace

void setSteps(const Steps &steps)
{
    installed() = steps;
}

QString refusal(const MemoryImage &image, bool chinese)
{
    return installed().refusal ? installed().refusal(image, chinese) : QString();
}

void prepare(MemoryImage &image)
{
    if (installed().prepare)
        installed().prepare(image);
}

} // namespace BulkWrite
