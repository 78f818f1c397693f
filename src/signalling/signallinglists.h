#pragma once

#include <QStringList>

// The number lists the signalling windows offer. Their positions are what the image
// stores, so each list is part of the storage format.
namespace SignallingLists {

// "first", "first + step", ... `count` entries.
QStringList steps(int first, int step, int count);

} // namespace SignallingLists
