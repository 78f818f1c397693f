#include "shell/imageinitialisation.h"

#include "alignment/alignmenttable.h"
#include "channels/channelrecord.h"
#include "fm/fmpresets.h"
#include "image/memoryimage.h"
#include "options/optionarea.h"
#include "signalling/dtmfarea.h"
#include "signalling/fivetonearea.h"
#include "signalling/twotonearea.h"

namespace {

void eraseAll(MemoryImage &image)
{
    image.fill(0, MemoryImage::Rows - 1, MemoryImage::Empty);
}

} // namespace

const std::vector<ImageInitialisationStep> &imageInitialisationSteps()
{
    // The order matters: the channel defaults come last, after every other area.
    static const std::vector<ImageInitialisationStep> steps{
        {"erase", &eraseAll},
        {"fm presets", &defaultFmPresets},
        {"optional features and band records", &OptionArea::writeDefaults},
        {"dtmf", &DtmfArea::writeDefaults},
        {"2-tone", &TwoToneArea::writeDefaults},
        {"5-tone", &FiveToneArea::writeDefaults},
        {"alignment defaults", &prepareAlignmentDefaults},
        {"channels", &defaultChannels},
    };
    return steps;
}

void initialiseMemoryImage(MemoryImage &image)
{
    for (const auto &step : imageInitialisationSteps()) {
        if (step.run)
            step.run(image);
    }
}
