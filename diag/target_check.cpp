#include "diag/target_check.h"

namespace diag {

namespace {

bool IsPlainTargetByte(unsigned char byte) {
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
           (byte >= '0' && byte <= '9') || byte == '.' || byte == '-' || byte == '_' || byte == ':';
}

bool IsLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

bool IsTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }

// 0x80 and 0xFF stand for single characters in the code page, not for parts
// of one, and none of them means anything to the command interpreter.
bool IsSingleHighByte(unsigned char byte) { return byte == 0x80 || byte == 0xFF; }

} // namespace

std::string TrimSpaces(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return std::string();
    }
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

bool IsAcceptableTarget(const std::string& typed) {
    // The length counts the text as typed, since that is what may reach the
    // command line.
    if (typed.size() > kMaxTargetBytes) {
        return false;
    }
    const std::string trimmed = TrimSpaces(typed);
    // A leading '-' would be read as an option of ping or tracert.
    if (trimmed.empty() || trimmed[0] == '-') {
        return false;
    }
    for (std::size_t i = 0; i < trimmed.size(); ++i) {
        const auto byte = static_cast<unsigned char>(trimmed[i]);
        if (IsLeadByte(byte)) {
            if (i + 1 == trimmed.size() ||
                !IsTrailByte(static_cast<unsigned char>(trimmed[i + 1]))) {
                return false;
            }
            ++i;
        } else if (!IsPlainTargetByte(byte) && !IsSingleHighByte(byte)) {
            return false;
        }
    }
    return true;
}

} // namespace diag
