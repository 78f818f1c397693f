#pragma once

// The image the program starts with, made once: the targets that import over it compare
// every result with it.

#include "image/memoryimage.h"
#include "shell/imageinitialisation.h"

inline const MemoryImage &startupImage()
{
    static const MemoryImage image = [] {
        MemoryImage m;
        initialiseMemoryImage(m);
        return m;
    }();
    return image;
}
