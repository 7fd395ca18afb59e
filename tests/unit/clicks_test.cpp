// Presses and releases of the left button over a form window, and what they raise.
#include <gtest/gtest.h>

#include "formkit/Clicks.h"

namespace {

using formkit::Clicks;
constexpr std::size_t kX = 3;
const Clicks::Raised kNothing{};

TEST(Clicks, AControlClicksOnTheReleaseOverItTheSurfaceOnThePress) {
  Clicks clicks;
  // Slid off to the surface or to another control, or the mouse taken away: nothing.
  for (const auto off : {std::optional<std::size_t>(), std::optional<std::size_t>(4)}) {
    EXPECT_TRUE(clicks.Press(kX, false) == kNothing && clicks.Holding());
    EXPECT_EQ(clicks.Release(off), kNothing);
  }
  clicks.Press(kX, false);
  clicks.Cancel();
  EXPECT_EQ(clicks.Release(kX), kNothing);
  // Let go on it: Click; a quick second press: DblClick at once, and its release nothing.
  clicks.Press(kX, false);
  EXPECT_EQ(clicks.Release(kX), (Clicks::Raised{Clicks::Event::kClick, kX}));
  EXPECT_EQ(clicks.Press(kX, true), (Clicks::Raised{Clicks::Event::kDblClick, kX}));
  EXPECT_EQ(clicks.Release(kX), kNothing);
  // The surface acts on the press (its Click starts the drag) and holds nothing.
  EXPECT_EQ(clicks.Press({}, false), (Clicks::Raised{Clicks::Event::kClick, {}}));
  EXPECT_FALSE(clicks.Holding());
  EXPECT_EQ(clicks.Release(kX), kNothing);
}

}  // namespace
