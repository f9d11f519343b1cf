// The plan: which commands a target gets, and how it is lowered for them.
#include "diag/plan.h"
#include "tests/fuzz/fuzz_check.h"

#include <cstdint>
#include <string>

namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

bool StartsWithWwwInAnyCase(const std::string& text) {
    if (text.size() < 4)
        return false;
    std::string head = text.substr(0, 4);
    for (char& c : head)
        c = AsciiLower(c);
    return head == "www.";
}

} // namespace

// The first byte is the address test's answer, the rest the target.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const bool isAddress = (data[0] & 1) != 0;
    const std::string target(reinterpret_cast<const char*>(data) + 1, size - 1);

    std::string asked;
    const diag::DiagnosticPlan plan = diag::BuildPlan(target, [&](const std::string& text) {
        asked = text;
        return isAddress;
    });
    const std::string lowered = diag::LowerCaseTarget(target);

    // Lowering changes single-byte capitals only, never a byte of a
    // double-byte character.
    FUZZ_CHECK(lowered.size() == target.size());
    for (std::size_t i = 0; i < target.size(); ++i) {
        if (fuzz::IsLeadByte(static_cast<unsigned char>(target[i]))) {
            FUZZ_CHECK(lowered[i] == target[i]);
            if (i + 1 < target.size())
                FUZZ_CHECK(lowered[i + 1] == target[i + 1]);
            ++i;
        } else {
            FUZZ_CHECK(lowered[i] == AsciiLower(target[i]));
        }
    }
    FUZZ_CHECK(diag::LowerCaseTarget(lowered) == lowered);

    const bool www = StartsWithWwwInAnyCase(target);
    if (!www)
        FUZZ_CHECK(asked == lowered);
    const bool wwwSteps = !www && !isAddress;
    FUZZ_CHECK(plan.size() == (wwwSteps ? 6u : 3u));
    FUZZ_CHECK(plan[0] == "ping " + lowered);
    FUZZ_CHECK(plan[1] == "tracert -d " + lowered);
    FUZZ_CHECK(plan[2] == diag::kProbeDirect);
    if (wwwSteps) {
        FUZZ_CHECK(plan[3] == "ping www." + lowered);
        FUZZ_CHECK(plan[4] == "tracert -d www." + lowered);
        FUZZ_CHECK(plan[5] == diag::kProbeWww);
    }
    return 0;
}
