#include "linklabel/link_state.h"

namespace linklabel {

Color TextColor(bool hot, bool visited, Color link, Color visitedColor, Color hotColor) {
    if (hot)
        return hotColor;
    return visited ? visitedColor : link;
}

LinkLook LookOf(bool hot, bool visited, bool underlined, const SystemColors& system) {
    if (system.highContrast)
        return {system.hotLight, underlined || hot};
    return {TextColor(hot, visited, kLinkColor, kVisitedColor, system.highlight), underlined};
}

HoverChange HoverTracker::OnMouseMove(bool insideClientArea) {
    if (m_bHot)
        return insideClientArea ? HoverChange::None : End();
    m_bHot = true;
    return HoverChange::Began;
}

HoverChange HoverTracker::OnMouseLeave() { return End(); }

HoverChange HoverTracker::OnCaptureLost() { return End(); }

HoverChange HoverTracker::End() {
    if (!m_bHot)
        return HoverChange::None;
    m_bHot = false;
    return HoverChange::Ended;
}

} // namespace linklabel
