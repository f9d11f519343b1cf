#include "diag/probe_connect.h"

#include <algorithm>

namespace diag {

bool ConnectToFirstAnswering(const std::vector<std::string>& addresses, ConnectAttempts& attempts,
                             const ConnectTiming& timing) {
    std::size_t started = 0;
    std::size_t failed = 0;
    bool lastFailed = false;
    unsigned long long lastStart = 0;
    while (attempts.Running()) {
        const unsigned long long now = attempts.NowMs();
        const bool moreToTry =
            started < addresses.size() && started - failed < attempts.MaxUnderWay();
        if (moreToTry && (started == 0 || lastFailed || now >= lastStart + timing.nextAttemptMs)) {
            lastStart = now;
            lastFailed = !attempts.Start(addresses[started++]);
            failed += lastFailed;
            continue;
        }
        const unsigned long long giveUp = lastStart + timing.timeoutMs;
        if (failed == started || now >= giveUp) {
            return false;
        }
        const unsigned long long until =
            moreToTry ? std::min(giveUp, lastStart + timing.nextAttemptMs) : giveUp;
        const auto waitMs =
            static_cast<unsigned>(std::min<unsigned long long>(until - now, timing.stopCheckMs));
        std::size_t which = 0;
        switch (attempts.WaitForOne(waitMs, &which)) {
        case ConnectAttempts::End::Connected:
            return true;
        case ConnectAttempts::End::Failed:
            ++failed;
            lastFailed = lastFailed || which + 1 == started;
            break;
        case ConnectAttempts::End::None:
            break;
        }
    }
    return false;
}

} // namespace diag
