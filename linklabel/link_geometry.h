#pragma once

namespace linklabel {

struct LabelRect {
    int left;
    int top;
    int right;
    int bottom;
};

// Style bits of a static control that decide where the text sits.
inline constexpr unsigned kStyleCenter = 0x1;        // SS_CENTER
inline constexpr unsigned kStyleRight = 0x2;         // SS_RIGHT
inline constexpr unsigned kStyleCenterImage = 0x200; // SS_CENTERIMAGE

// The label's window rectangle shrunk or grown to its text of textWidth x
// textHeight, keeping the edge (or the centre) that its alignment keeps.
// A centred side moves by half the difference, truncated toward zero.
LabelRect FitToText(LabelRect window, int textWidth, int textHeight, unsigned style);

} // namespace linklabel
