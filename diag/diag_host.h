#pragma once

#include "diag/output_sink.h"

#include <string>
#include <vector>

namespace diag {

// Everything a run needs from the system: the console runner, name lookup
// and one TCP connection attempt.
class DiagHost : public OutputSink {
public:
    // Runs the command line as a hidden child and streams its output into
    // Append; false when the child could not be started.
    virtual bool RunConsole(const std::string& commandLine) = 0;
    // Resolves a host name to all its addresses, IPv4 and IPv6, in the
    // order the system prefers them; false when it has none.
    virtual bool Lookup(const std::string& host, std::vector<std::string>* addresses) = 0;
    // Connects to the first of those addresses that answers (see
    // ConnectToFirstAnswering), and closes again at once; returns early when
    // the run is stopped.
    virtual bool Connect(const std::vector<std::string>& addresses, unsigned short port) = 0;
};

} // namespace diag
