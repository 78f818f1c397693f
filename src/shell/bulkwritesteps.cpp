#include "shell/bulkwritesteps.h"

#include "channels/channelrecord.h"
#include "channels/channeltexts.h"
#include "link/bulkwrite.h"
#include "signalling/fivetonestandards.h"

void installBulkWriteSteps()
{
    BulkWrite::Steps steps;
    steps.refusal = [](const MemoryImage &image, bool chinese) {
        const int failing = channelBandCheck(image);
        return failing == ChannelRecord::NoFailingChannel ? QString()
                                                           : ChannelText::bandCheckFailed(failing, chinese);
    };
    steps.prepare = &FiveToneStandards::writeTables;
    BulkWrite::setSteps(steps);
}
