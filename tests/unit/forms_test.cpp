// The form runtime on its own: pixels from twips, stand-in faces, and events checked against the
// window's description (its names and tab places are checked when compiled).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "formkit/Display.h"
#include "formkit/Program.h"
#include "forms/Forms.h"

namespace {

using formkit::FormId;

// The check that keeps a window's names and tab places its own, where the build applies it.
constexpr formkit::ControlDesc kSameName[] = {{.name = "A"}, {.name = "A"}};
constexpr formkit::ControlDesc kSameTab[] = {{.name = "A", .tabIndex = 1}, {.tabIndex = 1}};
static_assert(!formkit::NamesAndTabsUnique({.controls = kSameName}) &&
              !formkit::NamesAndTabsUnique({.controls = kSameTab}));

TEST(Descriptions, TwipsBecomeRoundedPixelsAtAnyResolution) {
  EXPECT_EQ(formkit::TwipsToPixels(1695, 96), 113);
  EXPECT_EQ(formkit::TwipsToPixels(1695, 120), 141);  // 141.25
  EXPECT_EQ(formkit::TwipsToPixels(1695, 144), 170);  // 169.5 rounds up
  EXPECT_EQ(formkit::TwipsToPixels(7, 96), 0);
  EXPECT_EQ(formkit::TwipsToPixels(8, 96), 1);
}

// A missing face gives way to the closest narrow one installed.
TEST(Display, AMissingFaceGivesWayToTheClosestNarrowOne) {
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
}

// A caption shrinks the least that fits: the largest height that does, found by halving, never
// below the floor; one that fits as described is never asked smaller.
TEST(Display, ACaptionShrinksTheLeastThatFitsNeverBelowTheFloor) {
  const struct {
    int least, most, largestFitting, expected;
  } cases[] = {
      {9, 18, 18, 18},                 // fits as described
      {9, 18, 17, 17},                 // one pixel less
      {9, 18, 12, 12}, {9, 18, 9, 9},  // just the floor
      {9, 18, 3, 9},                   // nothing fits: the floor all the same
      {5, 5, 1, 5},                    // nothing to shrink
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.largestFitting);
    std::vector<int> asked;
    const int found = formkit::LargestFitting(c.least, c.most, [&](int height) {
      asked.push_back(height);
      return height <= c.largestFitting;
    });
    EXPECT_EQ(found, c.expected);
    EXPECT_TRUE(std::ranges::all_of(asked, [&](int h) { return h >= c.least && h <= c.most; }));
    EXPECT_LE(asked.size(), 5U);  // halving, not stepping down a pixel at a time
    if (c.largestFitting >= c.most) {
      EXPECT_EQ(asked, std::vector{c.most});
    }
  }
}

// A window system whose windows only log their end; it collects the faults reported and runs
// posted tasks only when a wait pumps or the test lets the message loop go on.
class LoggedWindows final : public formkit::Platform {
 public:
  class View final : public formkit::FormView {
   public:
    View(LoggedWindows& windows, std::string_view name) : windows_(windows), name_(name) {}
    ~View() override { windows_.log.push_back("destroy " + name_); }
    void ControlChanged(std::size_t /*index*/) override {}
    void FormChanged() override {}
    void MakeTopmost() override {}
    void DragWindow() override {}

   private:
    LoggedWindows& windows_;
    std::string name_;
  };

  std::vector<std::string> log;
  std::vector<std::string> faults;
  std::vector<std::function<void()>> posted;
  std::function<void()> duringWait;

  std::unique_ptr<formkit::FormView> CreateView(formkit::Program&, FormId,
                                                formkit::Form& form) override {
    return std::make_unique<View>(*this, form.Name());
  }
  void WaitSeconds(int /*seconds*/) override {
    if (auto during = std::exchange(duringWait, nullptr)) {
      during();
    }
    RunPosted();
  }
  [[noreturn]] void Exit() override { throw std::runtime_error("ended"); }
  std::unique_ptr<formkit::Ticker> Every(int, std::function<void()>) override { return nullptr; }
  void Fault(std::string_view message) override { faults.emplace_back(message); }
  void Post(std::function<void()> task) override { posted.push_back(std::move(task)); }
  void RunPosted() {
    for (auto tasks = std::exchange(posted, {}); auto& task : tasks) {
      task();
    }
  }
};

// Label8's handler fails; Label6 has none for a double click.
class Handlers final : public formkit::BehaviourOf<forms::kForm1> {
 public:
  Handlers() {
    On(When<formkit::Event::Click>("Label8"), [] { throw std::out_of_range("no such place"); });
  }
};

// What the window system raises is checked against the description (a wrong name is already a
// build failure), and a handler's failure is reported, never passed on to the window procedure.
TEST(Events, OnlyTheWindowsOwnEventsRunAndFailuresStopAtTheProgram) {
  using formkit::Event;
  const auto at = [](std::string_view name) { return formkit::IndexOf(forms::kForm1, name); };
  const std::pair<formkit::EventSource, std::size_t> cases[] = {
      {{at("Label6"), Event::DblClick}, 0},  // raised, but not handled
      {{at("Label8"), Event::Click}, 1},     // it threw
      {{at("Text1"), Event::Click}, 1},      // boxes raise no clicks
      {{at("Shape2"), Event::Click}, 1},     // nor shapes
      {{at("Label6"), Event::Timer}, 1},
      {{std::nullopt, Event::Timer}, 1},
      {{forms::kForm1.controls.size(), Event::Click}, 1},  // no such control
  };
  for (const auto& [source, faults] : cases) {
    LoggedWindows platform;
    formkit::Program program(platform, forms::kDescriptions,
                             [](auto&&...) { return std::make_unique<Handlers>(); });
    program.Show(FormId::Form1);
    program.Raise(FormId::Form1, source);
    EXPECT_EQ(platform.faults.size(), faults) << static_cast<int>(source.event);
  }
}

// The console's handlers as a test writes them: each logs, some unload or wait.
class Unloading final : public formkit::BehaviourOf<forms::kForm1> {
 public:
  Unloading(formkit::Program& program, formkit::Form& form, LoggedWindows& windows) {
    const auto log = [&windows](std::string line) { windows.log.push_back(std::move(line)); };
    On(When<formkit::Event::Unload>(), [log] { log("Form_Unload"); });
    // Unloads its own window, then goes on with it.
    On(When<formkit::Event::Click>("Label3"), [&program, &form, log] {
      program.Unload(FormId::Console);
      form[Ctl("Label1")].SetText(u"00001");
      log(program.Loaded(FormId::Console) == nullptr ? "gone from the program" : "still loaded");
    });
    On(When<formkit::Event::Click>("Label6"), [&program, log] {
      program.WaitSeconds(1);
      log("after the wait");
    });
    On(When<formkit::Event::Click>("Label8"), [log] { log("Label8_Click"); });
  }
};

TEST(Unloading, AWindowIsDestroyedOnlyOnceItsHandlersHaveReturned) {
  LoggedWindows windows;
  formkit::Program program(windows, forms::kDescriptions,
                           [&](formkit::Program& p, FormId id,
                               formkit::Form& form) -> std::unique_ptr<formkit::Behaviour> {
                             if (id != FormId::Console) {
                               return nullptr;
                             }
                             return std::make_unique<Unloading>(p, form, windows);
                           });
  program.Show(FormId::Splash);  // keeps the program running with the console unloaded
  const auto label = [](std::string_view name) { return formkit::IndexOf(forms::kForm1, name); };

  // Unloaded inside its own handler: the handler finishes, the posted task destroys.
  program.Show(FormId::Console);
  program.Click(FormId::Console, label("Label3"));
  EXPECT_EQ(windows.log, (std::vector<std::string>{"Form_Unload", "gone from the program"}));
  windows.RunPosted();
  EXPECT_EQ(windows.log.back(), "destroy Form1");

  // Unloaded by another event inside its handler's wait, and opened afresh there: the old window
  // outlives the wait and its late events are dropped; the new one runs its own.
  windows.log.clear();
  program.Show(FormId::Console);
  formkit::Form* first = program.Loaded(FormId::Console);
  windows.duringWait = [&] {
    program.Unload(FormId::Console);
    program.Show(FormId::Console);
    program.Click(*first, label("Label8"));
    program.Click(*program.Loaded(FormId::Console), label("Label8"));
  };
  program.Click(FormId::Console, label("Label6"));
  EXPECT_EQ(windows.log,
            (std::vector<std::string>{"Form_Unload", "Label8_Click", "after the wait"}));
  windows.RunPosted();
  EXPECT_EQ(windows.log.back(), "destroy Form1");
  EXPECT_NE(program.Loaded(FormId::Console), nullptr);

  // Unloaded from outside its handlers (its close box): gone at the next message, or closed with
  // the rest if the program ends first.
  windows.log.clear();
  program.Unload(FormId::Console);
  EXPECT_EQ(windows.log, std::vector<std::string>{"Form_Unload"});
  windows.RunPosted();
  EXPECT_EQ(windows.log.back(), "destroy Form1");
  program.Show(FormId::Console);
  program.Unload(FormId::Console);
  windows.log.clear();
  EXPECT_THROW(program.End(), std::runtime_error);
  EXPECT_EQ(windows.log, (std::vector<std::string>{"destroy Form2", "destroy Form1"}));
  EXPECT_TRUE(windows.faults.empty());
  // Or when the program goes first.
  auto other = std::make_unique<formkit::Program>(windows, forms::kDescriptions, nullptr);
  other->Show(FormId::Splash);
  other->Show(FormId::Picture);
  other->Unload(FormId::Picture);
  windows.log.clear();
  other.reset();
  EXPECT_EQ(windows.log, (std::vector<std::string>{"destroy Form2", "destroy Form5"}));
  windows.RunPosted();
  EXPECT_EQ(windows.log.size(), 2U);
}

}  // namespace
