#pragma once

namespace linklabel {

using Color = unsigned long; // 0x00BBGGRR, as the system's COLORREF

inline constexpr Color kLinkColor = 0x00EE0000;    // RGB(0, 0, 238)
inline constexpr Color kVisitedColor = 0x008B1A55; // RGB(85, 26, 139)

// Hover wins over visited, visited over the plain link colour.
Color TextColor(bool hot, bool visited, Color link, Color visitedColor, Color hotColor);

// What the system says about colours at the moment the label paints.
struct SystemColors {
    bool highContrast;
    Color hotLight;  // the system's hyperlink colour
    Color highlight; // the hover colour outside high contrast
};

struct LinkLook {
    Color text;
    bool underlined;
};

// The label's own link and visited colours and the system's highlight for
// hover, underlined as asked. Under high contrast only the system's
// hyperlink colour is sure to stand out from the theme's background: every
// state takes it, and hover shows as an underline.
LinkLook LookOf(bool hot, bool visited, bool underlined, const SystemColors& system);

// What the label must do when its hover state changes.
enum class HoverChange {
    None,
    Began, // redraw, take the mouse capture, ask to hear when the pointer leaves
    Ended, // release the capture (if still ours) and redraw
};

// Hovering starts with the first mouse move over the label and ends with
// the first move outside it, when the pointer leaves the label's window
// (also straight out of the dialog), or when the capture is taken away.
class HoverTracker {
public:
    bool IsHot() const { return m_bHot; }
    HoverChange OnMouseMove(bool insideClientArea);
    HoverChange OnMouseLeave();
    HoverChange OnCaptureLost();

private:
    HoverChange End();
    bool m_bHot = false;
};

} // namespace linklabel
