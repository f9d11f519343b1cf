#pragma once

#include <cstddef>
#include <string>

namespace diag {

inline constexpr std::size_t kMaxTargetBytes = 256;

// Spaces (and only spaces) removed from both ends.
std::string TrimSpaces(const std::string& text);

// Whether the typed text may be handed to the command interpreter: after
// trimming it is not empty, does not start with '-', and holds only ASCII
// letters, digits, '.', '-', '_', ':' and complete double-byte characters.
bool IsAcceptableTarget(const std::string& typed);

} // namespace diag
