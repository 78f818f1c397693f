#include "shell/imageinitialisation.h"

#include "image/memoryimage.h"
#include "shell/areaentries.h"

namespace {

void eraseAll(MemoryImage &image)
{
    image.fill(0, MemoryImage::Rows - 1, MemoryImage::Empty);
}

} // namespace

const std::vector<ImageInitialisationStep> &imageInitialisationSteps()
{
    static const std::vector<ImageInitialisationStep> steps = [] {
        std::vector<ImageInitialisationStep> s{{"erase", &eraseAll}};
        for (bool last : {false, true}) {
            for (const AreaEntry &e : areaEntries()) {
                if (e.defaultsLast == last)
                    s.push_back({e.name, e.defaults});
            }
        }
        return s;
    }();
    return steps;
}

void initialiseMemoryImage(MemoryImage &image)
{
    for (const auto &step : imageInitialisationSteps()) {
        if (step.run)
            step.run(image);
    }
}
