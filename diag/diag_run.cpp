#include "diag/diag_run.h"

#include "diag/diag_texts.h"
#include "diag/target_check.h"

#include <vector>

namespace diag {

namespace {

// The texts hold exactly one "%s"; the value is copied in as it is, so a
// '%' in a host name can never be read as a directive.
std::string Fill(const char* text, const std::string& value) {
    std::string filled = text;
    return filled.replace(filled.find("%s"), 2, value);
}

bool IsProbe(const PlanEntry& entry) { return entry == kProbeDirect || entry == kProbeWww; }

// Returns false when the run was stopped on the way; a stopped connect
// leaves no result line, since its outcome says nothing. A host with several
// addresses (IPv6 and IPv4, say) counts as reached when any one of them is.
bool RunProbe(const std::string& probeHost, DiagHost& host) {
    std::vector<std::string> addresses;
    if (!host.Lookup(probeHost, &addresses) || addresses.empty()) {
        host.Append(Fill(kLookupFailed, probeHost));
        return true;
    }
    host.Append(Fill(kConnectAttempt, probeHost));
    const bool connected = host.Connect(addresses, 80);
    if (!host.Running()) {
        return false;
    }
    host.Append(Fill(connected ? kConnected : kNotConnected, probeHost));
    return true;
}

} // namespace

void RunDiagnostics(const std::string& typed, const AddressTest& isIpAddress, DiagHost& host) {
    // Spaces pasted around the target, which the check ignores, are no part
    // of it: " example.com" would fail to resolve, and its "www." steps would
    // run "ping www. example.com".
    const std::string target = TrimSpaces(typed);
    const DiagnosticPlan plan = BuildPlan(target, isIpAddress);
    const std::string lowered = LowerCaseTarget(target);

    for (const PlanEntry& entry : plan) {
        if (!host.Running()) {
            break;
        }
        host.Append(kSeparator);
        if (!IsProbe(entry)) {
            host.Append(Fill(kConsoleHeader, entry));
            // A command that cannot start leaves just its header; the
            // remaining steps are still worth running.
            host.RunConsole(std::string(kCommandInterpreter) + " " + entry);
            continue;
        }
        const std::string probeHost = entry == kProbeDirect ? lowered : "www." + lowered;
        if (!RunProbe(probeHost, host)) {
            break;
        }
    }
    host.Append(host.Running() ? kClosingCompleted : kClosingStopped);
}

} // namespace diag
