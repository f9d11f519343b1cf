#pragma once

#include <atomic>

// One run's own flag. The worker keeps its ticket for as long as it lives;
// a later run gets a new ticket, so a stopped run can never resume.
struct RunTicket {
    explicit RunTicket(unsigned id) : m_nId(id) {}
    const unsigned m_nId;
    std::atomic<bool> m_bRunning{true};
};
