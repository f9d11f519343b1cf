#include "diag/output_queue.h"

namespace diag {

bool OutputQueue::Add(const std::string& text) {
    m_text += text;
    if (m_state != State::Quiet) {
        return false;
    }
    m_state = State::Told;
    return true;
}

std::string OutputQueue::Take(bool* keepLooking) {
    *keepLooking = !m_text.empty();
    m_state = *keepLooking ? State::Looking : State::Quiet;
    std::string taken;
    taken.swap(m_text);
    m_taken += taken.size();
    return taken;
}

} // namespace diag
