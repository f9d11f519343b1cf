#include "diag/output_queue.h"

namespace diag {

bool OutputQueue::Add(const std::wstring& text) {
    m_text += text;
    if (m_state != State::Quiet) {
        return false;
    }
    m_state = State::Told;
    return true;
}

std::wstring OutputQueue::Take(bool* keepLooking) {
    *keepLooking = !m_text.empty();
    m_state = *keepLooking ? State::Looking : State::Quiet;
    std::wstring taken;
    taken.swap(m_text);
    m_taken += taken.size();
    return taken;
}

} // namespace diag
