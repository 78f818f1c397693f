#pragma once

#include <vector>

class MemoryImage;

// The start-up initialisation of the memory image, as an ordered list of named steps.
// An area whose defaults have not been written yet has no function: its rows keep the
// 0xFF of the first step.
struct ImageInitialisationStep
{
    const char *name;
    void (*run)(MemoryImage &image);
};

const std::vector<ImageInitialisationStep> &imageInitialisationSteps();
void initialiseMemoryImage(MemoryImage &image);
