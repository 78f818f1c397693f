#pragma once

#include <QVector>

class MemoryImage;

// Whole channels moved about the channel table: a channel goes with its record and its
// name row, byte for byte. Each function works on the image it is given, so the editor
// runs it inside one document change and a refusal leaves the image as it was.
namespace ChannelMoves {

// Copies `from`'s record and name row over `to`'s.
void copyChannel(MemoryImage &image, int from, int to);
void swapChannels(MemoryImage &image, int a, int b);

// Moves the channels from `channel` down by one, up to the next empty channel, and leaves
// `channel` empty. An empty `channel` is already what was asked for. False, with nothing
// changed, when no channel from `channel` to the last is empty: nothing may fall off the end.
bool insertEmpty(MemoryImage &image, int channel);

// Empties `channel` and moves the following channels up by one, up to the next empty
// channel (or the last channel, which is then left empty).
void removeClosingGap(MemoryImage &image, int channel);

// Swaps each of `channels` with its neighbour above (`up`) or below, so that a block moves
// past the neighbour as one. False, with nothing changed, when the block is at that end.
bool moveBlock(MemoryImage &image, QVector<int> channels, bool up);

enum class SortKey { RxFrequency, Name, RxTone };
// Sorts the channels among the given positions, ascending by `key`; empty channels go
// last, and channels that compare equal keep their order.
void sortChannels(MemoryImage &image, QVector<int> channels, SortKey key);

} // namespace ChannelMoves
