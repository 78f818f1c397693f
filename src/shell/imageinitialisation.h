#pragma once

#include <vector>

class MemoryImage;

// The start-up initialisation of the memory image, as an ordered list of named steps:
// the whole image to 0xFF, then each area's defaults (areaentries).
struct ImageInitialisationStep
{
    const char *name;
    void (*run)(MemoryImage &image);
};

const std::vector<ImageInitialisationStep> &imageInitialisationSteps();
void initialiseMemoryImage(MemoryImage &image);
