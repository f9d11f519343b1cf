#pragma once

#include <algorithm>
#include <cstddef>
#include <string>

namespace diag {

// Text a run's worker has written that the dialog has not yet put into the pane. Putting text
// into the pane costs the edit control a good deal per call whatever its length, and a repaint,
// so the dialog takes everything waiting at once. The first text after a quiet spell is taken at
// once (the worker tells the dialog); while more keeps coming, the dialog takes it on a timer,
// which yields to input and painting, so a flood of output goes in with few large appends while
// the dialog stays responsive.
//
// The text is UTF-16, as the pane holds it; sizes count its units. Not thread-safe: the worker
// and the dialog use it under one lock.
class OutputQueue {
public:
    // The least waiting text at which the worker waits for the dialog to take it: an append
    // this long keeps the dialog answering within a few tens of milliseconds.
    static constexpr std::size_t kMinHighWater = 8 * 1024;

    // Adds text at the end; true when the dialog must be told that text is waiting.
    bool Add(const std::wstring& text);
    // Takes all the waiting text. keepLooking tells whether the dialog should look again on its
    // timer: text was waiting, so more may be on its way.
    std::wstring Take(bool* keepLooking);
    // Whether the worker should wait. The edit control's cost for each append grows with the
    // text it holds, so once it holds 64 times the least mark the appends grow with it, and a
    // long output still goes in at a steady rate.
    bool Full() const { return m_text.size() >= std::max(kMinHighWater, m_taken / 64); }

private:
    enum class State { Quiet, Told, Looking };

    std::wstring m_text;
    std::size_t m_taken = 0;
    State m_state = State::Quiet;
};

} // namespace diag
