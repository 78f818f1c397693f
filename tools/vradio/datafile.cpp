#include "datafile.h"

#include <fstream>
#include <sstream>

namespace vradio {

namespace {
constexpr int NumbersPerRow = 3 + DataFileColumns;

bool isSeparator(char c)
{
    return c == ' ' || c == ',' || c == '\r' || c == '\n' || c == '\t';
}

void setError(std::string *error, const std::string &text)
{
    if (error)
        *error = text;
}
} // namespace

bool parseDataFile(const std::string &text, std::vector<uint8_t> &image, std::string *error)
{
    std::vector<long> numbers;
    numbers.reserve(DataFileRows * NumbersPerRow);
    size_t i = 0;
    while (i < text.size()) {
        if (isSeparator(text[i])) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < text.size() && !isSeparator(text[end]))
            ++end;
        const std::string token = text.substr(i, end - i);
        long value = 0;
        for (char c : token) {
            if (c < '0' || c > '9') {
                setError(error, "not a whole number: \"" + token + "\"");
                return false;
            }
            value = value * 10 + (c - '0');
            if (value > 1000000) {
                setError(error, "number too large: \"" + token + "\"");
                return false;
            }
        }
        numbers.push_back(value);
        i = end;
    }
    if (numbers.size() < size_t(DataFileRows * NumbersPerRow)) {
        setError(error, "the file holds " + std::to_string(numbers.size()) + " numbers, "
                        + std::to_string(DataFileRows * NumbersPerRow) + " expected");
        return false;
    }
    std::vector<uint8_t> bytes(DataFileRows * DataFileColumns);
    for (int row = 0; row < DataFileRows; ++row) {
        for (int column = 0; column < DataFileColumns; ++column) {
            const long value = numbers[row * NumbersPerRow + 3 + column];
            if (value > 255) {
                setError(error, "row " + std::to_string(row) + " holds " + std::to_string(value)
                                + ", bytes go up to 255");
                return false;
            }
            bytes[row * DataFileColumns + column] = uint8_t(value);
        }
    }
    image.swap(bytes);
    return true;
}

bool loadDataFile(const std::string &path, std::vector<uint8_t> &image, std::string *error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        setError(error, "cannot open " + path);
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return parseDataFile(text.str(), image, error);
}

std::string formatDataFile(const std::vector<uint8_t> &image)
{
    std::string out;
    for (int row = 0; row < DataFileRows; ++row) {
        const auto number = [&](int n) { out += ' ' + std::to_string(n) + ' '; };
        number(row / 16);
        number(row % 16);
        number(row);
        for (int column = 0; column < DataFileColumns; ++column) {
            const size_t at = size_t(row * DataFileColumns + column);
            number(at < image.size() ? image[at] : 0xFF);
        }
        out += "\r\n";
    }
    return out;
}

} // namespace vradio
