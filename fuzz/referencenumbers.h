#pragma once

// A second, deliberately plain reading of the number files, for the targets to compare
// the program's readers against: split at spaces, tabs, commas and line ends (after a
// UTF-8 byte order mark), nothing else.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline std::vector<std::string> referenceTokens(const uint8_t *data, size_t size)
{
    std::vector<std::string> tokens;
    size_t i = size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF ? 3 : 0;
    std::string token;
    for (; i <= size; ++i) {
        const char c = i == size ? ' ' : char(data[i]);
        if (c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n') {
            if (!token.empty())
                tokens.push_back(token);
            token.clear();
        } else {
            token += c;
        }
    }
    return tokens;
}

// 0..255 written as one to three plain digits, or -1.
inline int referenceByte(const std::string &token)
{
    if (token.empty() || token.size() > 3)
        return -1;
    int value = 0;
    for (char c : token) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value <= 255 ? value : -1;
}
