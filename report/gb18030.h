#pragma once

#include <string>

namespace report {

// Appends GB 18030's bytes for a character that code page 936 has no bytes for, and returns true.
// GB 18030 extends 936: every character beyond it has a four-byte code, except the few to which
// it gives a two-byte code that 936 uses for a private-use character. Returns false for a code
// point whose two-byte code is 936's own, and for one that is no character (a surrogate, or
// beyond U+10FFFF).
bool AppendGb18030(char32_t codePoint, std::string* bytes);

} // namespace report
