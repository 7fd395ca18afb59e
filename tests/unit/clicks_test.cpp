// What presses and releases of the left button raise over a form window.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "forms/Clicks.h"

namespace {

using forms::Clicks;
using Event = Clicks::Event;

// One gesture: a press ('p', or 'd' for the system's double-click), a release ('r') over a
// control (its index) or over the bare surface (none), or the mouse taken away ('c').
struct Step {
  char what;
  std::optional<std::size_t> over;
};

TEST(Clicks, AControlClicksOnTheReleaseOverItTheSurfaceOnThePress) {
  constexpr std::size_t kLabel = 3;
  constexpr std::size_t kOther = 4;
  const struct {
    const char* name;
    std::vector<Step> steps;
    std::vector<Clicks::Raised> raised;  // what each step raised, in order
  } cases[] = {
      {"press, release", {{'p', kLabel}, {'r', kLabel}}, {{}, {Event::kClick, kLabel}}},
      {"press, move off, release", {{'p', kLabel}, {'r', {}}}, {{}, {}}},
      {"released over another control", {{'p', kLabel}, {'r', kOther}}, {{}, {}}},
      {"surface press: its Click (the drag) at once",
       {{'p', {}}, {'r', {}}},
       {{Event::kClick, {}}, {}}},
      {"pressed on the surface, released over a control",
       {{'p', {}}, {'r', kLabel}},
       {{Event::kClick, {}}, {}}},
      {"a quick second press",
       {{'p', kLabel}, {'r', kLabel}, {'d', kLabel}, {'r', kLabel}},
       {{}, {Event::kClick, kLabel}, {Event::kDblClick, kLabel}, {}}},
      {"a quick second press on the surface",
       {{'p', {}}, {'d', {}}, {'r', {}}},
       {{Event::kClick, {}}, {Event::kDblClick, {}}, {}}},
      {"the mouse taken away", {{'p', kLabel}, {'c', {}}, {'r', kLabel}}, {{}, {}, {}}},
  };
  for (const auto& c : cases) {
    Clicks clicks;
    std::vector<Clicks::Raised> raised;
    for (const Step& step : c.steps) {
      if (step.what == 'r') {
        raised.push_back(clicks.Release(step.over));
      } else if (step.what == 'c') {
        clicks.Cancel();
        raised.push_back({});
      } else {
        raised.push_back(clicks.Press(step.over, step.what == 'd'));
        // The mouse is held exactly while a control waits for its release.
        EXPECT_EQ(clicks.Holding(), step.what == 'p' && step.over.has_value()) << c.name;
      }
    }
    EXPECT_EQ(raised, c.raised) << c.name;
    EXPECT_FALSE(clicks.Holding()) << c.name;
  }
}

}  // namespace
