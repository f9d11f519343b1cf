#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

// A property that does not hold ends the run, and libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? static_cast<void>(0) : fuzz::Failed(#condition, __FILE__, __LINE__))

namespace fuzz {

[[noreturn]] inline void Failed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, condition);
    std::abort();
}

// Lead and trail bytes of double-byte characters in code page 936.
inline bool IsLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }
inline bool IsTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }

inline bool StartsWith(const std::string& text, const std::string& head) {
    return text.compare(0, head.size(), head) == 0;
}

inline bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace fuzz
