#include "linklabel/link_state.h"

#include <gtest/gtest.h>

using linklabel::HoverChange;
using linklabel::HoverTracker;
using linklabel::kLinkColor;
using linklabel::kVisitedColor;
using linklabel::TextColor;

namespace {

constexpr linklabel::Color kHot = 0x000000FF;

linklabel::Color Shown(const HoverTracker& hover, bool visited) {
    return TextColor(hover.IsHot(), visited, kLinkColor, kVisitedColor, kHot);
}

} // namespace

TEST(LinkStateTest, ColoursFollowHoverThenVisited) {
    EXPECT_EQ(kLinkColor, 0x00EE0000u);    // red 0, green 0, blue 238
    EXPECT_EQ(kVisitedColor, 0x008B1A55u); // red 85, green 26, blue 139
    EXPECT_EQ(TextColor(true, true, kLinkColor, kVisitedColor, kHot), kHot);
    EXPECT_EQ(TextColor(true, false, kLinkColor, kVisitedColor, kHot), kHot);
    EXPECT_EQ(TextColor(false, true, kLinkColor, kVisitedColor, kHot), kVisitedColor);
    EXPECT_EQ(TextColor(false, false, kLinkColor, kVisitedColor, kHot), kLinkColor);

    HoverTracker hover;
    hover.OnMouseMove(true);
    EXPECT_EQ(Shown(hover, true), kHot);
    hover.OnMouseMove(false);
    EXPECT_EQ(Shown(hover, true), kVisitedColor);
}

TEST(LinkStateTest, MovesBeginAndEndHovering) {
    HoverTracker hover;
    EXPECT_FALSE(hover.IsHot());
    EXPECT_EQ(hover.OnMouseMove(true), HoverChange::Began);
    EXPECT_TRUE(hover.IsHot());
    EXPECT_EQ(hover.OnMouseMove(true), HoverChange::None);
    EXPECT_EQ(hover.OnMouseMove(true), HoverChange::None);
    EXPECT_EQ(hover.OnMouseMove(false), HoverChange::Ended);
    EXPECT_FALSE(hover.IsHot());
    // Uncaptured moves only arrive over the label, so any first move begins.
    EXPECT_EQ(hover.OnMouseMove(false), HoverChange::Began);
    EXPECT_TRUE(hover.IsHot());
}

TEST(LinkStateTest, LeavingOrLosingTheCaptureEndsHoveringOnce) {
    HoverTracker hover;
    EXPECT_EQ(hover.OnMouseLeave(), HoverChange::None);
    hover.OnMouseMove(true);
    EXPECT_EQ(hover.OnMouseLeave(), HoverChange::Ended);
    EXPECT_FALSE(hover.IsHot());
    EXPECT_EQ(hover.OnMouseLeave(), HoverChange::None);

    // A message box takes the capture while the pointer is over the label.
    hover.OnMouseMove(true);
    EXPECT_EQ(hover.OnCaptureLost(), HoverChange::Ended);
    EXPECT_FALSE(hover.IsHot());
    EXPECT_EQ(hover.OnMouseMove(true), HoverChange::Began);

    // The label's own release after a move outside reports the loss again.
    EXPECT_EQ(hover.OnMouseMove(false), HoverChange::Ended);
    EXPECT_EQ(hover.OnCaptureLost(), HoverChange::None);
    EXPECT_FALSE(hover.IsHot());
}
