// The target check decides what reaches the command interpreter.
#include "diag/target_check.h"
#include "tests/fuzz/fuzz_check.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace {

// Bytes that cmd.exe, ping or tracert would read as more than a name: the
// interpreter's operators and quotes, blanks and control bytes.
bool IsSpecial(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F || std::strchr("&|<>^%\"()!,;='` ", byte) != nullptr;
}

std::string Trimmed(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && text[first] == ' ')
        ++first;
    while (last > first && text[last - 1] == ' ')
        --last;
    return text.substr(first, last - first);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string typed(reinterpret_cast<const char*>(data), size);
    const bool accepted = diag::IsAcceptableTarget(typed);

    if (typed.size() > diag::kMaxTargetBytes)
        FUZZ_CHECK(!accepted);
    // Blanks around the text decide nothing while it still fits.
    if (typed.size() < diag::kMaxTargetBytes) {
        FUZZ_CHECK(diag::IsAcceptableTarget(" " + typed) == accepted);
        FUZZ_CHECK(diag::IsAcceptableTarget(typed + " ") == accepted);
    }
    if (!accepted)
        return 0;

    const std::string target = Trimmed(typed);
    FUZZ_CHECK(!target.empty());
    FUZZ_CHECK(target[0] != '-');
    for (std::size_t i = 0; i < target.size(); ++i) {
        const auto byte = static_cast<unsigned char>(target[i]);
        if (fuzz::IsLeadByte(byte)) {
            FUZZ_CHECK(i + 1 < target.size());
            FUZZ_CHECK(fuzz::IsTrailByte(static_cast<unsigned char>(target[i + 1])));
            ++i;
        } else {
            FUZZ_CHECK(!IsSpecial(byte));
        }
    }
    return 0;
}
