#pragma once

#include <functional>
#include <string>
#include <vector>

namespace diag {

// Probe markers; any other entry is a console command.
inline constexpr char kProbeDirect[] = "telnet1";
inline constexpr char kProbeWww[] = "telnet2";

using PlanEntry = std::string;
using DiagnosticPlan = std::vector<PlanEntry>;
using AddressTest = std::function<bool(const std::string&)>;

// Lower-cases ASCII letters, leaving both bytes of every double-byte
// character alone (a trail byte may look like a capital letter).
std::string LowerCaseTarget(const std::string& target);

// ping, tracert and the direct probe; then the same for "www." + target
// unless the target already starts with "www." or is a numeric address.
DiagnosticPlan BuildPlan(const std::string& target, const AddressTest& isIpAddress);

} // namespace diag
