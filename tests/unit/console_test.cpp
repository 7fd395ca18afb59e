// The main window and the splash window, run headless on virtual time.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Headless.h"
#include "console/MainWindow.h"
#include "fade/Fade.h"

namespace {

using formkit::FormId;
using Lines = std::vector<std::u16string>;

const std::u16string kLoaded(console::kLoadedBanner);
const std::u16string kNowIdle(console::kNowIdleBanner);
const std::u16string kPaused(console::kPausedBanner);
const std::u16string kTick(console::kIdleTickBanner);
const std::u16string kUnloaded(console::kUnloadedBanner);

// The minute banner's form, written out here: the guide shows it only with the box's first text.
std::u16string Minutes(std::u16string_view count, std::u16string_view name = u"quillomar") {
  return u"(o Y o )[Aim:]" + std::u16string(name) + u"][" + std::u16string(count) +
         u" Min]( o Y o)";
}

std::string SaidTrace(const std::u16string& line) {
  return "said " + std::string(line.begin(), line.end());
}

// The splash picture clicked at t = 1 s.
struct Console : testing_support::HeadlessZibbet {
  explicit Console(bool open = true) {
    if (open) {
      platform.RunFor(1);
      Click(FormId::Form2, "Image1");
    }
  }
  bool Click(std::string_view control) { return HeadlessZibbet::Click(FormId::Form1, control); }
  using HeadlessZibbet::Click;
  using HeadlessZibbet::operator[];
  formkit::Control& operator[](std::string_view control) { return (*this)[FormId::Form1][control]; }
  // The lines said so far, un-faded: every line the console posts is faded.
  Lines Said() const {
    Lines lines;
    for (const auto& line : platform.Said()) {
      EXPECT_EQ(fade::FadeText(line.plain), line.text) << "not a faded line";
      lines.push_back(line.plain);
    }
    return lines;
  }
};

// The splash comes alone and stays silent until clicked; then it hides (never unloads), a second
// click changes nothing, and no tick comes before ON.
TEST(Console, TheSplashClickOpensTheConsoleOnce) {
  Console console(false);
  console.platform.RunFor(3600);
  console.Click(FormId::Form2, "Image1");
  console.Click(FormId::Form2, "Image1");
  console.platform.RunFor(900);
  EXPECT_EQ(console.platform.Trace(),
            (std::vector<std::string>{"load Form2", "topmost Form2", "show Form2", "load Form1",
                                      SaidTrace(kLoaded), "topmost Form1", "show Form1",
                                      "hide Form2", "front Form1"}));
}

// The first tick comes a minute after ON, its banners a second apart; a second ON posts again but
// keeps the running minute. Pause stops the ticks, not the count; coming while a tick waits
// between its banners, it comes between them.
TEST(Console, TheMinutesGoOnAcrossASecondOnAndAPause) {
  Console console;
  console.Click("Label6");
  console.platform.RunFor(30);
  console.Click("Label6");
  console.platform.RunFor(30 - 0.001);
  EXPECT_EQ(console.Said(), (Lines{kLoaded, kNowIdle, kNowIdle}));
  console.platform.At(121.3, [&] {
    console.program.Click(FormId::Form1, testing_support::PlaceOf(FormId::Form1, "Label8"));
  });
  console.platform.RunFor(65);  // ticks at 61 and 121
  const auto& said = console.platform.Said();
  ASSERT_EQ(said.size(), 8U);
  EXPECT_NEAR(said[3].at, 61.0, 1e-6);
  EXPECT_NEAR(said[4].at - said[3].at, 1.0, 0.5);
  console.platform.RunFor(600);
  console.Click("Label6");
  console.platform.RunFor(65);
  EXPECT_EQ(console.Said(), (Lines{kLoaded, kNowIdle, kNowIdle, kTick, Minutes(u"1"), kTick,
                                   kPaused, Minutes(u"2"), kNowIdle, kTick, Minutes(u"3")}));
}

// Minimized, the console keeps counting; the caption past one digit is read back, written and
// shown by the window. The minute banner carries the screen name typed before ON, as typed.
TEST(Console, TheCounterCountsPastNineUnderTheTypedName) {
  for (const std::u16string typed : {u"", u"<b>&"}) {
    Console console;
    console["Text2"].TakeTypedText(typed);
    console.Click("Label6");
    console.Click("Label4");
    console.platform.RunFor(11 * 60 + 1.5);
    EXPECT_EQ(console["Label1"].Text(), u"11");
    EXPECT_EQ(console.platform.Shown(FormId::Form1, "Label1"), u"11");
    const Lines said = console.Said();
    ASSERT_EQ(said.size(), 2U + 2 * 11);
    EXPECT_EQ(said[2 + 2 * 9 + 1], Minutes(u"10", typed));
    EXPECT_EQ(said.back(), Minutes(u"11", typed));
  }
}

// Which click raises which handler; labels that only show something do nothing.
TEST(Console, EachClickReachesItsOwnHandler) {
  const struct {
    const char* control;
    std::vector<std::string> trace;  // what follows the click
  } cases[] = {{"Label6", {SaidTrace(kNowIdle)}},
               {"Label8", {SaidTrace(kPaused)}},
               {"Label4", {"minimize Form1"}},
               {"", {"drag Form1"}},
               {"Label7", {}},
               {"Label2", {}},
               {"Label1", {}},
               {"Label5", {}}};
  for (const auto& c : cases) {
    Console console;
    EXPECT_EQ(testing_support::Added(console.platform.Trace(), [&] { console.Click(c.control); }),
              c.trace)
        << c.control;
    EXPECT_EQ(console["Text1"].Enabled() || console["Text2"].Enabled(),
              c.control != std::string("Label6"))
        << c.control;
    EXPECT_TRUE(console["Text3"].Enabled()) << c.control;
    EXPECT_EQ(console["Label1"].Text(), u"00000") << c.control;
  }
}

// However the program ends, the console says goodbye once if it was open, every window closes
// (hidden ones too), and nothing runs afterwards.
TEST(Console, EveryWayOfEndingSaysGoodbyeOnceAndClosesEverything) {
  const auto unload = [](FormId id) { return [id](formkit::Program& p) { p.Unload(id); }; };
  const auto endSession = [](formkit::Program& program) { program.EndSession(); };
  const struct {
    bool open;  // the console opened, ON clicked and the picture window hidden
    std::function<void(formkit::Program&)> end;
  } cases[] = {{true, unload(FormId::Form1)},
               {true, endSession},
               {false, endSession},
               {false, unload(FormId::Form2)}};
  for (const auto& c : cases) {
    Console console(c.open);
    if (c.open) {
      console.Click("Label6");
      console.platform.Do([&] { console.program.Show(FormId::Form5); });
      console.program.Hide(FormId::Form5);
      console.platform.RunFor(10);
    }
    console.platform.Do([&] { c.end(console.program); });
    EXPECT_TRUE(console.platform.Ended());
    console.Click("Label6");  // whatever the window system still delivers
    console.platform.RunFor(600);
    EXPECT_EQ(console.Said(), c.open ? (Lines{kLoaded, kNowIdle, kUnloaded}) : Lines());
    for (const FormId id : {FormId::Form1, FormId::Form2, FormId::Form5}) {
      const formkit::Form* form = console.program.Loaded(id);
      EXPECT_TRUE(form == nullptr || form->View() == nullptr) << "a window is still open";
    }
  }
}

// Closed while a tick waits between its banners: the goodbye comes, the minute never.
TEST(Console, CloseInsideTheTicksWait) {
  Console console;
  console.Click("Label6");
  console.platform.At(61.3, [&] {
    console.program.Click(FormId::Form1, testing_support::PlaceOf(FormId::Form1, "Label3"));
  });
  console.platform.RunFor(600);
  EXPECT_EQ(console.Said(), (Lines{kLoaded, kNowIdle, kTick, kUnloaded}));
}

// A window unloaded forgets what it held (a hidden one keeps it: the secret panel's entries);
// unloading it again changes nothing.
TEST(Console, UnloadForgetsAWindowsContents) {
  Console console;
  const auto act = [&](void (formkit::Program::*what)(FormId)) {
    console.platform.Do([&] { (console.program.*what)(FormId::Form5); });
  };
  act(&formkit::Program::Show);
  console[FormId::Form5]["Label1"].SetText(u"changed");
  act(&formkit::Program::Unload);
  const auto trace = console.platform.Trace();
  act(&formkit::Program::Unload);
  EXPECT_EQ(console.platform.Trace(), trace);
  act(&formkit::Program::Show);
  EXPECT_EQ(console.platform.Count("load Form5"), 2);
  EXPECT_EQ(console[FormId::Form5]["Label1"].Text(), u"Who Wants Some!");
}

}  // namespace
