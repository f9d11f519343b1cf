#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// What chatter.exe writes: numbered lines holding double-byte characters at
// odd and even offsets, so that chunk boundaries fall inside characters.
inline std::string ChatterPattern(std::size_t bytes) {
    std::string text;
    for (int line = 1; text.size() < bytes; ++line) {
        char buffer[80];
        std::snprintf(buffer, sizeof buffer, "第%05d行 %.*s检测输出 abcdefghij\r\n", line, line % 7,
                      "0123456");
        text += buffer;
    }
    text.resize(bytes);
    return text;
}
