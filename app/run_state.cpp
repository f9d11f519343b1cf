#include "app/run_state.h"

std::shared_ptr<RunTicket> RunState::Begin() {
    if (m_current) {
        m_current->m_bRunning = false;
    }
    m_current = std::make_shared<RunTicket>(++m_nLastId);
    return m_current;
}

// The ticket stays current: lines the stopped run still delivers belong in
// the pane until the next run begins.
void RunState::Stop() {
    if (m_current) {
        m_current->m_bRunning = false;
    }
}

void RunState::Forget() {
    Stop();
    m_current.reset();
}

bool RunState::Finish(unsigned runId) {
    if (!IsCurrent(runId)) {
        return false;
    }
    m_current->m_bRunning = false;
    return true;
}

bool RunState::IsCurrent(unsigned runId) const { return m_current && m_current->m_nId == runId; }

bool RunState::IsRunning() const { return m_current && m_current->m_bRunning; }

ButtonStates RunState::Buttons() const {
    if (IsRunning()) {
        return {false, true, false};
    }
    return {true, false, true};
}
