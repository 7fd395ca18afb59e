// The form runtime on its own: the descriptions' invariants, pixels from twips, and events
// checked against the window's description.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "formkit/Display.h"
#include "formkit/Program.h"
#include "forms/Forms.h"

namespace {

using formkit::FormId;

constexpr FormId kForms[] = {FormId::Form1, FormId::Form2, FormId::Form3, FormId::Form4,
                             FormId::Form5};

TEST(Descriptions, NamesAndTabIndexesAreUniquePerWindow) {
  for (const FormId id : kForms) {
    const auto& desc = forms::DescriptionOf(id);
    std::set<std::string_view> names;
    std::set<int> tabs;
    for (const auto& control : desc.controls) {
      EXPECT_TRUE(names.insert(control.name).second) << desc.name << " " << control.name;
      EXPECT_TRUE(control.tabIndex < 0 || tabs.insert(control.tabIndex).second)
          << desc.name << " " << control.name;
    }
  }
}

TEST(Descriptions, TwipsBecomeRoundedPixelsAtAnyResolution) {
  EXPECT_EQ(formkit::TwipsToPixels(1695, 96), 113);
  EXPECT_EQ(formkit::TwipsToPixels(1695, 120), 141);  // 141.25
  EXPECT_EQ(formkit::TwipsToPixels(1695, 144), 170);  // 169.5 rounds up
  EXPECT_EQ(formkit::TwipsToPixels(7, 96), 0);
  EXPECT_EQ(formkit::TwipsToPixels(8, 96), 1);
}

// A missing face gives way to the closest narrow one installed; captions that overrun their
// boxes shrink the font's height (pixels) by the worst overrun ({needed, available}).
TEST(Display, AMissingFaceGivesWayToANarrowOneAndOverrunsShrinkIt) {
  const auto among = [](const std::set<std::string_view>& faces) {
    return [faces](std::string_view face) { return faces.contains(face); };
  };
  const std::string_view narrow = "Arial Narrow";
  EXPECT_EQ(formkit::StandInFace(narrow, among({"Nimbus Sans Narrow", "Liberation Sans Narrow"})),
            "Liberation Sans Narrow");
  EXPECT_EQ(formkit::StandInFace(narrow, among({"Arial Nova Cond", "Nimbus Sans Narrow"})),
            "Nimbus Sans Narrow");
  EXPECT_EQ(formkit::StandInFace(narrow, among({"Arial Nova Cond", "Arial"})), "Arial Nova Cond");
  EXPECT_EQ(formkit::StandInFace(narrow, among({"Arial"})), std::nullopt);
  using Rooms = std::vector<formkit::Room>;
  EXPECT_EQ(formkit::FittingHeight(11, Rooms{{17, 17}, {13, 17}}), 11);  // exactly as wide fits
  EXPECT_EQ(formkit::FittingHeight(11, Rooms{{19, 17}, {13, 17}}), 9);   // 9.8
  EXPECT_EQ(formkit::FittingHeight(11, Rooms{{19, 17}, {40, 20}}), 5);   // the worst of them
  EXPECT_EQ(formkit::FittingHeight(11, Rooms{{5, 0}}), 1);
}

// A platform whose windows are nothing: it only collects the faults reported.
class NoWindows final : public formkit::Platform {
 public:
  std::vector<std::string> faults;

  std::unique_ptr<formkit::FormView> CreateView(formkit::Program&, FormId,
                                                formkit::Form&) override {
    return nullptr;
  }
  void WaitSeconds(int /*seconds*/) override {}
  [[noreturn]] void Exit() override { throw std::runtime_error("ended"); }
  std::unique_ptr<formkit::Ticker> Every(int, std::function<void()>) override { return nullptr; }
  void Fault(std::string_view message) override { faults.emplace_back(message); }
};

class Handlers final : public formkit::BehaviourOf<forms::kForm1> {
 public:
  explicit Handlers(std::vector<std::string>& ran) {
    using formkit::Event;
    On(When<Event::Click>("Label6"), [&ran] { ran.emplace_back("Label6"); });
    On(When<Event::Click>("Label8"), [] { throw std::out_of_range("no such place"); });
    On(When<Event::ChatMsg>("Chat1"), [&ran](std::u16string_view who, std::u16string_view what) {
      ran.emplace_back(std::string(who.begin(), who.end()) + ":" +
                       std::string(what.begin(), what.end()));
    });
  }
};

// What the window system raises is checked against the description (a wrong name is already a
// build failure), and a handler's failure is reported, never passed on to the window procedure.
TEST(Events, OnlyTheWindowsOwnEventsRunAndFailuresStopAtTheProgram) {
  using formkit::Event;
  const std::size_t label6 = *formkit::IndexOf(forms::kForm1, "Label6");
  const std::size_t chat1 = *formkit::IndexOf(forms::kForm1, "Chat1");
  struct Case {
    formkit::EventSource source;
    std::vector<std::string> ran;
    std::size_t faults;
  };
  const Case cases[] = {
      {{label6, Event::Click}, {"Label6"}, 0},
      {{label6, Event::DblClick}, {}, 0},  // raised, but not handled
      {{chat1, Event::ChatMsg}, {"a:b"}, 0},
      {{*formkit::IndexOf(forms::kForm1, "Label8"), Event::Click}, {}, 1},  // it threw
      {{*formkit::IndexOf(forms::kForm1, "Text1"), Event::Click}, {}, 1},   // boxes raise no clicks
      {{*formkit::IndexOf(forms::kForm1, "Shape2"), Event::Click}, {}, 1},  // nor shapes
      {{label6, Event::Timer}, {}, 1},
      {{std::nullopt, Event::Timer}, {}, 1},
      {{forms::kForm1.controls.size(), Event::Click}, {}, 1},  // no such control
  };
  for (const Case& c : cases) {
    NoWindows platform;
    std::vector<std::string> ran;
    formkit::Program program(
        platform, forms::kDescriptions,
        [&](formkit::Program&, FormId, formkit::Form&) { return std::make_unique<Handlers>(ran); });
    program.Show(FormId::Form1);
    program.Raise(FormId::Form1, c.source, {u"a", u"b"});
    EXPECT_EQ(ran, c.ran);
    EXPECT_EQ(platform.faults.size(), c.faults) << ran.size();
  }
}

}  // namespace
