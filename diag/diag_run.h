#pragma once

#include "diag/diag_host.h"
#include "diag/plan.h"

#include <string>

namespace diag {

// One whole run: builds the plan for the target as typed, trimmed of spaces
// at both ends, walks it through the host and writes the closing line.
// Returns when the run has ended or stopped.
void RunDiagnostics(const std::string& typed, const AddressTest& isIpAddress, DiagHost& host);

} // namespace diag
