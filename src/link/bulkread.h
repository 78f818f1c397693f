#pragma once

class MemoryImage;
class ReceiveSlots;

// Turning the raw replies of a bulk read into image rows, all or nothing.
namespace BulkRead {

// Checks every stored block (1..197) first and only then copies their data into rows
// 0..787, so a reply that cannot be decoded leaves the image as it was. Returns false in
// that case: a reply whose "X" sits so late that its data would run past what arrived,
// or a slot that holds no whole reply. Blocks 198..200 are never looked at.
bool decodeInto(const ReceiveSlots &replies, MemoryImage &image);

} // namespace BulkRead
