#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace diag {

// The system's side of a probe's connection attempts, one per address, any
// number of them under way at once.
class ConnectAttempts {
public:
    enum class End { None, Connected, Failed };

    virtual ~ConnectAttempts() = default;
    // Starts connecting to the address; false when that failed at once.
    virtual bool Start(const std::string& address) = 0;
    // Waits at most waitMs for one attempt under way to end, and says how;
    // which is the attempt's number, from 0 in the order they were started.
    virtual End WaitForOne(unsigned waitMs, std::size_t* which) = 0;
    // How many attempts can be under way at once: as many as a wait can watch.
    virtual std::size_t MaxUnderWay() const = 0;
    // Milliseconds on a clock that only goes forward.
    virtual unsigned long long NowMs() const = 0;
    // Whether the run may go on.
    virtual bool Running() const = 0;
};

struct ConnectTiming {
    // How long an attempt may go unanswered before the next address is tried
    // beside it.
    unsigned nextAttemptMs = 250;
    // How often a wait looks whether the run was stopped.
    unsigned stopCheckMs = 100;
    // How long the attempts may go on after the last one started: as long as
    // Windows tries one connection before it gives up.
    unsigned timeoutMs = 21000;
};

// Connects to the first of the addresses that answers, in the manner of
// Happy Eyeballs (RFC 8305): the next address is tried as soon as the last
// attempt has failed or once it has gone unanswered for a while, the earlier
// ones going on beside it; the first connection made wins. A host whose first
// address never answers (a broken IPv6 path, say) is reached through the next
// in a moment instead of after a whole time-out. False when no address
// answered in time or the run was stopped meanwhile. No more attempts are
// under way at once than can be watched; the next waits for a place.
bool ConnectToFirstAnswering(const std::vector<std::string>& addresses, ConnectAttempts& attempts,
                             const ConnectTiming& timing = {});

} // namespace diag
