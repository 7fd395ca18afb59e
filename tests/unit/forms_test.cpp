// The form runtime on its own: the descriptions' invariants, pixels from twips, and handler names
// checked against the window's events.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "forms/Display.h"
#include "forms/Program.h"

namespace {

using forms::FormId;

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
  EXPECT_EQ(forms::TwipsToPixels(1695, 96), 113);
  EXPECT_EQ(forms::TwipsToPixels(1695, 120), 141);  // 141.25
  EXPECT_EQ(forms::TwipsToPixels(1695, 144), 170);  // 169.5 rounds up
  EXPECT_EQ(forms::TwipsToPixels(7, 96), 0);
  EXPECT_EQ(forms::TwipsToPixels(8, 96), 1);
}

// A missing face gives way to the closest narrow one installed; captions that overrun their
// boxes shrink the font's height (pixels) by the worst overrun ({needed, available}).
TEST(Display, AMissingFaceGivesWayToANarrowOneAndOverrunsShrinkIt) {
  const auto among = [](const std::set<std::string_view>& faces) {
    return [faces](std::string_view face) { return faces.contains(face); };
  };
  const std::string_view narrow = "Arial Narrow";
  EXPECT_EQ(forms::StandInFace(narrow, among({"Nimbus Sans Narrow", "Liberation Sans Narrow"})),
            "Liberation Sans Narrow");
  EXPECT_EQ(forms::StandInFace(narrow, among({"Arial Nova Cond", "Nimbus Sans Narrow"})),
            "Nimbus Sans Narrow");
  EXPECT_EQ(forms::StandInFace(narrow, among({"Arial Nova Cond", "Arial"})), "Arial Nova Cond");
  EXPECT_EQ(forms::StandInFace(narrow, among({"Arial"})), std::nullopt);
  using Rooms = std::vector<forms::Room>;
  EXPECT_EQ(forms::FittingHeight(11, Rooms{{17, 17}, {13, 17}}), 11);  // exactly as wide fits
  EXPECT_EQ(forms::FittingHeight(11, Rooms{{19, 17}, {13, 17}}), 9);   // 9.8
  EXPECT_EQ(forms::FittingHeight(11, Rooms{{19, 17}, {40, 20}}), 5);   // the worst of them
  EXPECT_EQ(forms::FittingHeight(11, Rooms{{5, 0}}), 1);
}

// A platform whose windows are nothing: it only collects the faults reported.
class NoWindows final : public forms::Platform {
 public:
  std::vector<std::string> faults;

  std::unique_ptr<forms::FormView> CreateView(forms::Program&, FormId, forms::Form&) override {
    return nullptr;
  }
  void WaitSeconds(int /*seconds*/) override {}
  [[noreturn]] void Exit() override { throw std::runtime_error("ended"); }
  std::unique_ptr<forms::Ticker> Every(int, std::function<void()>) override { return nullptr; }
  void Fault(std::string_view message) override { faults.emplace_back(message); }
};

class Handlers final : public forms::Behaviour {
 public:
  explicit Handlers(const std::vector<std::string>& names) {
    for (const auto& name : names) {
      On(name, [] {});
    }
  }
};

TEST(HandlerNames, OnlyTheWindowsOwnEventsMayBeHandledOrRaised) {
  struct Case {
    std::vector<std::string> registered;
    std::string raised;
  };
  const Case cases[] = {
      {{"Label6_Clik"}, "Form_Click"},     // a typo in a registration
      {{"Text1_Click"}, "Form_DblClick"},  // text boxes raise no clicks
      {{}, "Label9_Click"},                // a control the window does not have
      {{}, "Shape1_Click"},                // nor shapes
      {{"Form_Load"}, "Label6_Timer"},     // a label's event a label never raises
  };
  for (const Case& c : cases) {
    NoWindows platform;
    forms::Program program(platform, [&](forms::Program&, FormId, forms::Form&) {
      return std::make_unique<Handlers>(c.registered);
    });
    program.Show(FormId::Form1);
    program.Raise(FormId::Form1, c.raised);
    EXPECT_EQ(platform.faults.size(), 1U) << c.raised;
  }
}

}  // namespace
