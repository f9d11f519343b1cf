#include "linklabel/link_state.h"

#include <gtest/gtest.h>

using linklabel::HoverChange;
using linklabel::HoverTracker;
using linklabel::kLinkColor;
using linklabel::kVisitedColor;
using linklabel::LookOf;
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

// Every state: under high contrast the system's hyperlink colour, hover
// shown by underlining; otherwise the label's own colours and underline.
TEST(LinkStateTest, HighContrastTakesTheHyperlinkColourAndShowsHoverByUnderline) {
    const linklabel::Color hotLight = 0x0000FFFF;
    for (int state = 0; state < 8; ++state) {
        const bool hot = state & 1, visited = state & 2, underlined = state & 4;
        const auto contrast = LookOf(hot, visited, underlined, {true, hotLight, kHot});
        const auto own = LookOf(hot, visited, underlined, {false, hotLight, kHot});
        EXPECT_EQ(contrast.text, hotLight);
        EXPECT_EQ(contrast.underlined, underlined || hot);
        EXPECT_EQ(own.text, TextColor(hot, visited, kLinkColor, kVisitedColor, kHot));
        EXPECT_EQ(own.underlined, underlined);
    }
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
