#pragma once

#include <QString>
#include <functional>

class MemoryImage;

// What must hold, and what must be done, before the whole image goes to the radio. The
// link knows neither the channel layout nor the 5-tone tables, so the layer that does
// installs the steps; every bulk write (window or command line) runs the same ones.
namespace BulkWrite {

struct Steps
{
    // A non-empty text refuses the write; it is shown as it stands.
    std::function<QString(const MemoryImage &image, bool chinese)> refusal;
    // Brings the image into the shape the radio expects; runs only when nothing refused.
    std::function<void(MemoryImage &image)> prepare;
};

void setSteps(const Steps &steps);
// The refusal text, empty when the write may go ahead (or when no steps are installed).
QString refusal(const MemoryImage &image, bool chinese);
void prepare(MemoryImage &image);

} // namespace BulkWrite
