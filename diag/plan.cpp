#include "diag/plan.h"

namespace diag {

namespace {

bool IsLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Case-insensitive for ASCII letters only. It looks at the text as typed,
// before lower-casing, so "WWW." counts as well.
bool StartsWithWww(const std::string& prefix) {
    static const char kWww[] = "www.";
    if (prefix.size() != 4) {
        return false;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        if (AsciiLower(prefix[i]) != kWww[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string LowerCaseTarget(const std::string& target) {
    std::string lowered = target;
    for (std::size_t i = 0; i < lowered.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(lowered[i]))) {
            ++i; // the trail byte goes along unchanged
        } else {
            lowered[i] = AsciiLower(lowered[i]);
        }
    }
    return lowered;
}

DiagnosticPlan BuildPlan(const std::string& target, const AddressTest& isIpAddress) {
    const std::string prefix = target.substr(0, 4);
    const std::string lowered = LowerCaseTarget(target);

    DiagnosticPlan plan{"ping " + lowered, "tracert -d " + lowered, kProbeDirect};
    if (!StartsWithWww(prefix) && !isIpAddress(lowered)) {
        plan.push_back("ping www." + lowered);
        plan.push_back("tracert -d www." + lowered);
        plan.push_back(kProbeWww);
    }
    return plan;
}

} // namespace diag
