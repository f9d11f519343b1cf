#pragma once

#include "diag/run_ticket.h"

#include <memory>

struct ButtonStates {
    bool start;
    bool stop;
    bool save;
};

// The dialog's side of runs, kept on the UI thread: which run is current,
// whether it is still going, and what the buttons show.
class RunState {
public:
    // Starts a new current run; the previous ticket (if any) is lowered.
    std::shared_ptr<RunTicket> Begin();
    // Stop: lowers the current run's flag and returns to idle.
    void Stop();
    // The pane is cleared for a new start: the current run, if any, stops,
    // and nothing it still writes or reports counts any more.
    void Forget();
    // A run reports its end; only the current run's report counts.
    // Returns whether it was the current run's.
    bool Finish(unsigned runId);
    // Whether text from this run still belongs in the pane.
    bool IsCurrent(unsigned runId) const;
    bool IsRunning() const;
    ButtonStates Buttons() const;

private:
    std::shared_ptr<RunTicket> m_current;
    unsigned m_nLastId = 0;
};
