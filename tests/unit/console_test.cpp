// The main window and the splash window, run headless on virtual time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Headless.h"
#include "Zibbet.h"
#include "fade/Fade.h"

namespace {

using forms::FormId;
using testing_support::Headless;

const std::u16string kLoaded = u"(o Y o )[Zibbet-Vemm]-[Loaded]( o Y o)";
const std::u16string kNowIdle = u"(o Y o )[Zibbet-Vemm]-[Now Idle]( o Y o)";
const std::u16string kPaused = u"(o Y o )[Zibbet-Vemm]-[Paused]( o Y o)";
const std::u16string kTick = u"(o Y o )[Zibbet-Vemm][Idle:]( o Y o)";
const std::u16string kUnloaded = u"(o Y o )[Zibbet-Vemm]-[Un-Loaded]( o Y o)";

std::u16string Minutes(std::u16string_view name, std::u16string_view count) {
  return u"(o Y o )[Aim:]" + std::u16string(name) + u"][" + std::u16string(count) +
         u" Min]( o Y o)";
}

class ConsoleTest : public ::testing::Test {
 protected:
  Headless platform;
  forms::Program program{platform, zibbet::Behaviours(platform.Chat()),
                         zibbet::Components(platform.Chat())};

  void SetUp() override {
    ASSERT_TRUE(platform.Do([&] { zibbet::Start(program); }));
  }

  // Starts as a user does: the splash picture clicked at t = 1 s.
  void OpenConsole() {
    platform.RunUntil(1);
    ASSERT_TRUE(platform.Do([&] { program.Click(FormId::Form2, "Image1"); }));
  }

  void Click(std::string_view control) {
    platform.Do([&] { program.Click(FormId::Form1, control); });
  }
  void ClickAt(double at, std::string_view control) {
    platform.At(at, [this, name = std::string(control)] { program.Click(FormId::Form1, name); });
  }

  forms::Form& Console() { return *program.Loaded(FormId::Form1); }

  // The lines said so far, un-faded: every line the console posts is faded.
  std::vector<std::u16string> Lines() {
    std::vector<std::u16string> lines;
    for (const auto& line : platform.Said()) {
      lines.push_back(Unfade(line.text));
    }
    return lines;
  }
  static std::u16string Unfade(const std::u16string& markup) {
    std::u16string text;
    for (std::size_t i = 20; i < markup.size(); i += 21) {
      text += markup[i];
    }
    EXPECT_EQ(fade::FadeText(text), markup) << "not a faded line";
    return text;
  }
};

TEST_F(ConsoleTest, StartsWithTheSplashAloneAndSilent) {
  ASSERT_NE(program.Loaded(FormId::Form2), nullptr);
  EXPECT_TRUE(program.Loaded(FormId::Form2)->Visible());
  EXPECT_EQ(platform.Views(FormId::Form2).topmost, 1);
  EXPECT_EQ(program.Loaded(FormId::Form1), nullptr);
  platform.RunFor(3600);
  EXPECT_TRUE(platform.Said().empty());
  EXPECT_EQ(program.Loaded(FormId::Form1), nullptr);
}

TEST_F(ConsoleTest, SplashClickShowsTheConsoleThenHidesTheSplash) {
  OpenConsole();
  ASSERT_NE(program.Loaded(FormId::Form1), nullptr);
  EXPECT_TRUE(Console().Visible());
  ASSERT_NE(program.Loaded(FormId::Form2), nullptr) << "hidden, never unloaded";
  EXPECT_FALSE(program.Loaded(FormId::Form2)->Visible());
  EXPECT_EQ(platform.Views(FormId::Form1).topmost, 1);
  EXPECT_EQ(Lines(), std::vector<std::u16string>{kLoaded});
  // No tick comes, however long the console stays open.
  platform.RunFor(900);
  EXPECT_EQ(Lines(), std::vector<std::u16string>{kLoaded});
  EXPECT_EQ(Console()["Label1"].Text(), u"00000");
  EXPECT_FALSE(Console()["Timer1"].Enabled());
  EXPECT_TRUE(Console()["Text1"].Enabled());
  EXPECT_TRUE(Console()["Text2"].Enabled());
}

TEST_F(ConsoleTest, ASecondSplashClickChangesNothing) {
  OpenConsole();
  platform.Do([&] { program.Click(FormId::Form2, "Image1"); });
  EXPECT_EQ(platform.Loads(FormId::Form1), 1);
  EXPECT_EQ(Lines(), std::vector<std::u16string>{kLoaded});
}

TEST_F(ConsoleTest, OnThenAMinutePostsTheTwoBannersASecondApart) {
  OpenConsole();
  Click("Label6");
  EXPECT_FALSE(Console()["Text1"].Enabled());
  EXPECT_FALSE(Console()["Text2"].Enabled());
  EXPECT_TRUE(Console()["Timer1"].Enabled());
  platform.RunFor(60.0 - 0.001);
  EXPECT_EQ(Lines(), (std::vector<std::u16string>{kLoaded, kNowIdle}));
  platform.RunFor(5);
  EXPECT_EQ(Console()["Label1"].Text(), u"1");
  EXPECT_EQ(Lines(),
            (std::vector<std::u16string>{kLoaded, kNowIdle, kTick, Minutes(u"quillomar", u"1")}));
  const auto said = platform.Said();
  EXPECT_NEAR(said[2].at, 61.0, 1e-6);
  const double gap = said[3].at - said[2].at;
  EXPECT_GE(gap, 0.5);
  EXPECT_LE(gap, 1.5);
}

TEST_F(ConsoleTest, CounterGoesOnAfterAPause) {
  OpenConsole();
  Click("Label6");
  platform.RunFor(125);  // two ticks
  Click("Label8");
  platform.RunFor(600);  // paused: no ticks
  Click("Label6");
  platform.RunFor(65);
  const auto lines = Lines();
  EXPECT_EQ(lines,
            (std::vector<std::u16string>{kLoaded, kNowIdle, kTick, Minutes(u"quillomar", u"1"),
                                         kTick, Minutes(u"quillomar", u"2"), kPaused, kNowIdle,
                                         kTick, Minutes(u"quillomar", u"3")}));
}

TEST_F(ConsoleTest, TheMinuteBannerCarriesTheScreenNameTypedBeforeOn) {
  for (const std::u16string typed : {u"", u"Ann Other", u"<b>&"}) {
    Headless local;
    forms::Program run(local, zibbet::Behaviours(local.Chat()), zibbet::Components(local.Chat()));
    local.Do([&] { zibbet::Start(run); });
    local.Do([&] { run.Click(FormId::Form2, "Image1"); });
    run.Loaded(FormId::Form1)->operator[]("Text2").TakeTypedText(typed);
    local.Do([&] { run.Click(FormId::Form1, "Label6"); });
    local.RunFor(62);
    const auto said = local.Said();
    ASSERT_EQ(said.size(), 4U);
    EXPECT_EQ(Unfade(said[3].text), Minutes(typed, u"1"));
  }
}

TEST_F(ConsoleTest, PauseBeforeAnyOnPostsItsBannerAndChangesNothingElse) {
  OpenConsole();
  Click("Label8");
  platform.RunFor(600);
  EXPECT_EQ(Lines(), (std::vector<std::u16string>{kLoaded, kPaused}));
  EXPECT_TRUE(Console()["Text1"].Enabled());
  EXPECT_TRUE(Console()["Text2"].Enabled());
  EXPECT_EQ(Console()["Label1"].Text(), u"00000");
}

TEST_F(ConsoleTest, OnTwicePostsTwiceAndKeepsTheRunningMinute) {
  OpenConsole();
  Click("Label6");
  platform.RunFor(30);
  Click("Label6");
  platform.RunFor(31.5);  // the first tick, a minute after the first ON
  EXPECT_EQ(Lines(), (std::vector<std::u16string>{kLoaded, kNowIdle, kNowIdle, kTick,
                                                  Minutes(u"quillomar", u"1")}));
}

TEST_F(ConsoleTest, ClosingWhileIdlingPostsOnlyTheUnloadedBannerAndEnds) {
  OpenConsole();
  Click("Label6");
  platform.RunFor(10);
  Click("Label3");
  EXPECT_TRUE(platform.Ended());
  EXPECT_EQ(Lines(), (std::vector<std::u16string>{kLoaded, kNowIdle, kUnloaded}));
  platform.RunFor(600);
  EXPECT_EQ(Lines().size(), 3U);
}

TEST_F(ConsoleTest, ClosingTheConsoleAnyOtherWayEndsTheProgramToo) {
  OpenConsole();
  platform.Do([&] { program.Unload(FormId::Form1); });
  EXPECT_TRUE(platform.Ended());
  EXPECT_EQ(Lines(), (std::vector<std::u16string>{kLoaded, kUnloaded}));
}

TEST_F(ConsoleTest, TheSessionEndingUnloadsAsTheCloseLabelDoes) {
  platform.Do([&] { program.EndSession(); });  // only the splash: nothing to say
  EXPECT_TRUE(platform.Ended());
  EXPECT_TRUE(Lines().empty());
}

TEST_F(ConsoleTest, TheSessionEndingWithTheConsoleSaysGoodbyeOnce) {
  OpenConsole();
  platform.Do([&] { program.EndSession(); });
  EXPECT_TRUE(platform.Ended());
  EXPECT_EQ(Lines(), (std::vector<std::u16string>{kLoaded, kUnloaded}));
}

TEST_F(ConsoleTest, PauseInsideTheTicksWaitComesBetweenItsBanners) {
  OpenConsole();
  Click("Label6");
  ClickAt(platform.Now() + 60.3, "Label8");  // inside the one-second wait
  platform.RunFor(600);
  EXPECT_EQ(Lines(), (std::vector<std::u16string>{kLoaded, kNowIdle, kTick, kPaused,
                                                  Minutes(u"quillomar", u"1")}));
  EXPECT_FALSE(Console()["Timer1"].Enabled());
}

TEST_F(ConsoleTest, CloseInsideTheTicksWaitEndsBeforeTheSecondBanner) {
  OpenConsole();
  Click("Label6");
  ClickAt(platform.Now() + 60.3, "Label3");
  platform.RunFor(600);
  EXPECT_TRUE(platform.Ended());
  EXPECT_EQ(Lines(), (std::vector<std::u16string>{kLoaded, kNowIdle, kTick, kUnloaded}));
}

TEST_F(ConsoleTest, DisplayOnlyLabelsIgnoreClicks) {
  OpenConsole();
  for (const char* label : {"Label7", "Label2", "Label1", "Label5", "Text3", "Shape6"}) {
    Click(label);
  }
  EXPECT_EQ(Lines(), std::vector<std::u16string>{kLoaded});
  EXPECT_EQ(platform.Views(FormId::Form1).drags, 0);
  EXPECT_EQ(Console().State(), forms::WindowState::Normal);
}

TEST_F(ConsoleTest, SurfaceClicksDragTheWindow) {
  OpenConsole();
  Click("");
  platform.Do([&] { program.DblClick(FormId::Form1, ""); });
  EXPECT_EQ(platform.Views(FormId::Form1).drags, 2);
  EXPECT_EQ(Lines(), std::vector<std::u16string>{kLoaded});
}

TEST_F(ConsoleTest, MinimizeKeepsTheTimerRunning) {
  OpenConsole();
  Click("Label6");
  Click("Label4");
  EXPECT_EQ(Console().State(), forms::WindowState::Minimized);
  platform.RunFor(61.5);
  EXPECT_EQ(Console()["Label1"].Text(), u"1");
}

TEST_F(ConsoleTest, ClosingTheSplashBeforeItsClickEndsTheProgram) {
  platform.Do([&] { program.Unload(FormId::Form2); });
  EXPECT_TRUE(platform.Ended());
  EXPECT_TRUE(platform.Said().empty());
  EXPECT_EQ(program.Loaded(FormId::Form1), nullptr);
}

// Lifetimes, with a window that has no behaviour of its own.
TEST_F(ConsoleTest, HideKeepsContentsUnloadForgetsThem) {
  OpenConsole();
  platform.Do([&] { program.Show(FormId::Form5); });
  forms::Form* picture = program.Loaded(FormId::Form5);
  ASSERT_NE(picture, nullptr);
  (*picture)["Label1"].SetText(u"changed");
  program.Hide(FormId::Form5);
  EXPECT_FALSE(picture->Visible());
  platform.Do([&] { program.Show(FormId::Form5); });
  EXPECT_EQ(program.Loaded(FormId::Form5), picture);
  EXPECT_EQ((*picture)["Label1"].Text(), u"changed");
  EXPECT_EQ(platform.Loads(FormId::Form5), 1);

  platform.Do([&] { program.Unload(FormId::Form5); });
  EXPECT_EQ(program.Loaded(FormId::Form5), nullptr);
  EXPECT_FALSE(platform.Ended()) << "other windows are still loaded";
  platform.Do([&] { program.Show(FormId::Form5); });
  EXPECT_EQ(platform.Loads(FormId::Form5), 2);
  EXPECT_EQ((*program.Loaded(FormId::Form5))["Label1"].Text(), u"Who Wants Some!");
}

TEST_F(ConsoleTest, EndingClosesHiddenWindowsToo) {
  OpenConsole();
  platform.Do([&] { program.Show(FormId::Form5); });
  program.Hide(FormId::Form5);
  Click("Label3");
  EXPECT_TRUE(platform.Ended());
  for (const FormId id : {FormId::Form1, FormId::Form2, FormId::Form5}) {
    ASSERT_NE(program.Loaded(id), nullptr);
    EXPECT_EQ(program.Loaded(id)->View(), nullptr) << "window still open";
  }
  // Nothing runs after the end, whatever the window system still delivers.
  platform.Do([&] { program.Click(FormId::Form1, "Label6"); });
  EXPECT_EQ(Lines(), (std::vector<std::u16string>{kLoaded, kUnloaded}));
}

}  // namespace
