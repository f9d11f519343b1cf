#pragma once

#include "diag/output_sink.h"

#include <string>

namespace diag {

// Everything a run needs from the system: the console runner, name lookup
// and one TCP connection attempt.
class DiagHost : public OutputSink {
public:
    // Runs the command line as a hidden child and streams its output into
    // Append; false when the child could not be started.
    virtual bool RunConsole(const std::string& commandLine) = 0;
    // Resolves a host name to the dotted form of its first address.
    virtual bool Lookup(const std::string& host, std::string* dottedAddress) = 0;
    // One blocking connection attempt; closes again at once.
    virtual bool Connect(const std::string& dottedAddress, unsigned short port) = 0;
};

} // namespace diag
