#include "linklabel/link_geometry.h"

namespace linklabel {

LabelRect FitToText(LabelRect r, int textWidth, int textHeight, unsigned style) {
    if (style & kStyleCenterImage) {
        const int d = (r.bottom - r.top - textHeight) / 2;
        r.top += d;
        r.bottom -= d;
    } else {
        r.bottom = r.top + textHeight;
    }
    if (style & kStyleCenter) {
        const int d = (r.right - r.left - textWidth) / 2;
        r.left += d;
        r.right -= d;
    } else if (style & kStyleRight) {
        r.left = r.right - textWidth;
    } else {
        r.right = r.left + textWidth;
    }
    return r;
}

} // namespace linklabel
