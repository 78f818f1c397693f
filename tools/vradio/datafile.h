#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The program's ".dat" data file, read and written here on its own so that the virtual
// radio does not lean on the code it is there to test.
namespace vradio {

constexpr int DataFileRows = 1025;
constexpr int DataFileColumns = 16;

// Whole numbers separated by spaces, commas or line ends, 19 per row: three label
// numbers (ignored) and the row's 16 bytes. Fills image with 1025 * 16 bytes.
bool parseDataFile(const std::string &text, std::vector<uint8_t> &image, std::string *error);
bool loadDataFile(const std::string &path, std::vector<uint8_t> &image, std::string *error);
// The same layout the program writes: " n " for each number, CR LF after each row.
std::string formatDataFile(const std::vector<uint8_t> &image);

} // namespace vradio
