#include "linklabel/link_geometry.h"

#include <gtest/gtest.h>

using linklabel::FitToText;
using linklabel::LabelRect;

namespace {

void ExpectRect(const LabelRect& r, int left, int top, int right, int bottom) {
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
}

} // namespace

TEST(LinkGeometryTest, HorizontalAlignmentDecidesTheEdgeThatStays) {
    // Centred: each side moves by half the difference, truncated toward zero.
    ExpectRect(FitToText({10, 5, 110, 25}, 41, 16, 0x1), 39, 5, 81, 21);
    ExpectRect(FitToText({10, 5, 50, 25}, 51, 16, 0x1), 5, 5, 55, 21);
    ExpectRect(FitToText({10, 5, 110, 25}, 41, 16, 0x2), 69, 5, 110, 21);
    ExpectRect(FitToText({10, 5, 110, 25}, 41, 16, 0x0), 10, 5, 51, 21);
    ExpectRect(FitToText({10, 5, 50, 25}, 51, 16, 0x0), 10, 5, 61, 21);
    // With both bits set the label is centred, not right-aligned.
    ExpectRect(FitToText({10, 5, 110, 25}, 41, 16, 0x3), 39, 5, 81, 21);
}

TEST(LinkGeometryTest, VerticalCentringOnlyWithCenterImage) {
    ExpectRect(FitToText({0, 30, 100, 51}, 100, 16, 0x0), 0, 30, 100, 46);
    ExpectRect(FitToText({0, 30, 100, 41}, 100, 16, 0x0), 0, 30, 100, 46);
    // 21 high, 16 of text: each side moves by 2, leaving 17.
    ExpectRect(FitToText({0, 30, 100, 51}, 100, 16, 0x200), 0, 32, 100, 49);
    // Text taller than the window: 10 high, 15 of text grows to 14.
    ExpectRect(FitToText({0, 30, 100, 40}, 100, 15, 0x200), 0, 28, 100, 42);
    ExpectRect(FitToText({0, 30, 100, 51}, 41, 16, 0x201), 29, 32, 71, 49);
}
