// The chat trigger, the secret panel and the links panel, run headless on virtual time.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "Headless.h"
#include "fade/Fade.h"
#include "hostwin/ChatRoom.h"
#include "panels/LinksPanel.h"
#include "panels/SecretPanel.h"

namespace {

using formkit::FormId;
using testing_support::Added;
using testing_support::Headless;
using Trace = std::vector<std::string>;

using panels::kFoundLine;
using panels::kSeries;

std::string Narrow(std::u16string_view text) { return {text.begin(), text.end()}; }

// The console open since t = 1 s.
struct Panels : testing_support::HeadlessZibbet {
  Panels() {
    Click(FormId::Form2, "Image1");
    platform.RunFor(1);
  }
  // A line said in the room; the scanner hears it within a poll.
  void Say(std::u16string_view text, std::u16string_view sender = Headless::kScreenName) {
    platform.SayInRoom(sender, text);
    platform.RunFor(0.2);
  }
  testing_support::NamedControls Panel() { return (*this)[FormId::Form4]; }
  void Enter(std::u16string_view name, std::u16string_view code, std::u16string_view age) {
    Say(u"tu9vo");
    Panel()["Text1"].TakeTypedText(name);
    Panel()["Text2"].TakeTypedText(code);
    Panel()["Text3"].TakeTypedText(age);
  }
  // The right entries and "Test Luck".
  void Unlock() {
    Enter(u"vemm", u"vemm", u"18");
    Click(FormId::Form4, "Command1");
  }
};

// Only the user's own line, the trigger word alone in any case, opens the panel: not another
// member's, nor any other line of the user's (the console's banners among them). Signed off, the
// screen name is empty, and an empty name is nobody's: not a sender-less line's.
TEST(Panels, OnlyTheUsersTriggerWordOpensThePanel) {
  const struct {
    std::u16string text;
    std::u16string sender;
    bool opens;
    bool signedOn = true;  // else the welcome window is gone
  } cases[] = {
      {u"tU9vO", u"Kestrel Jay", true},   {u" tu9vo", u"Kestrel Jay", false},
      {u"tu9vo ", u"Kestrel Jay", false}, {u"say tu9vo now", u"Kestrel Jay", false},
      {u"tu9v0", u"Kestrel Jay", false},  {u"tu9vo", u"Ann Other", false},
      {u"tu9vo", u"kestrel jay", false},  {u"tu9vo", u"Kestrel Jay ", false},
      {u"tu9vo", u"", false, false},
  };
  for (const auto& c : cases) {
    Panels run;
    if (!c.signedOn) {
      auto& client = run.platform.Client();
      client.Destroy(client.FindChild(run.platform.Tree().area, 0, hostwin::kDocumentClass));
    }
    run.Say(c.text, c.sender);
    EXPECT_EQ(run.platform.Count("show Form4"), c.opens ? 1 : 0) << Narrow(c.text);
  }
}

// A wrong first or second entry is answered by silence, a wrong number by the faded prank line;
// either way the panel stays, with what was typed.
TEST(Panels, WrongEntriesKeepThePanel) {
  const struct {
    std::u16string name, code, age;
    bool prank;
  } cases[] = {
      {u"Vemm", u"vemm", u"18", false},  {u"vemm", u"vemm ", u"18", false},
      {u" vemm", u"vemm", u"18", false}, {u"vemm", u"VEMM", u"18", false},
      {u"vemm", u"vemm", u"", true},     {u"vemm", u"vemm", u"18 ", true},
      {u"vemm", u"vemm", u"081", true},
  };
  for (const auto& c : cases) {
    Panels run;
    run.Enter(c.name, c.code, c.age);
    const auto said = Added(run.platform.Said(), [&] { run.Click(FormId::Form4, "Command1"); });
    EXPECT_EQ(said.size(), c.prank ? 1U : 0U);
    EXPECT_TRUE(said.empty() || said[0].text == fade::FadeText(panels::kWrongNumberLine));
    EXPECT_TRUE(run.Panel().form.Visible());
    EXPECT_EQ(run.Panel()["Text3"].Text(), c.age);
    EXPECT_EQ(run.program.Loaded(FormId::Form3), nullptr);
  }
}

// The trigger opens the panel on top. An unlock shows the links, says "found" and hides the panel;
// the trigger again brings back the same panel, with its entries. While the links panel is loaded
// (minimized, say), an unlock shows no picture window again; after its "X" the next unlock loads
// both afresh.
TEST(Panels, UnlockShowsTheLinksOnceWhileTheyAreLoadedAndTheTriggerTheSamePanel) {
  Panels run;
  EXPECT_EQ(Added(run.platform.Trace(), [&] { run.Say(u"tu9vo"); }),
            (Trace{"load Form4", "topmost Form4", "show Form4"}));
  run.Enter(u"vemm", u"ve", u"");
  run.Say(u"tu9vo");
  EXPECT_EQ(run.Panel()["Text2"].Text(), u"ve");
  run.Enter(u"vemm", u"vemm", u"18");
  EXPECT_EQ(Added(run.platform.Trace(), [&] { run.Click(FormId::Form4, "Command1"); }),
            (Trace{"load Form3", "load Form5", "show Form5", "topmost Form3", "show Form3",
                   "said " + Narrow(kFoundLine), "hide Form4"}));
  EXPECT_EQ(run.platform.Said().back().text, fade::FadeText(kFoundLine));
  run.Say(u"Tu9vo");
  EXPECT_TRUE(run.Panel().form.Visible());
  EXPECT_EQ(run.Panel()["Text3"].Text(), u"18");
  run.Click(FormId::Form3, "Label2");
  run.platform.Do([&] { run.program.Unload(FormId::Form5); });
  run.Enter(u"vemm", u"vemm", u"18");
  const Trace trace = Added(run.platform.Trace(), [&] { run.Click(FormId::Form4, "Command1"); });
  EXPECT_EQ(std::count(trace.begin(), trace.end(), "load Form5"), 0);
  EXPECT_EQ(std::count(trace.begin(), trace.end(), "load Form3"), 0);
  run.Click(FormId::Form3, "Label3");
  run.Unlock();
  EXPECT_EQ(run.platform.Count("load Form3"), 2);
  EXPECT_EQ(run.platform.Count("load Form5"), 2);
  EXPECT_EQ(run.platform.Count("load Form4"), 1);
}

// "Cancel" says the series plain, a second apart. A second "Cancel" inside a pause says a whole
// series before the first goes on; "Test Luck" inside a pause unlocks and the series goes on.
TEST(Panels, CancelSaysTheSeriesAndAClickInsideItsPausesComesBetween) {
  const struct {
    std::string inPause;  // the click that comes inside the pause, if any
    double at;
    std::string said;
  } cases[] = {{"", 0, "012301230123"},
               {"Command2", 0.3, "001230123012312301230123"},
               {"Command1", 2.2, "012F301230123"}};
  for (const auto& c : cases) {
    Panels run;
    run.Enter(u"vemm", u"vemm", u"18");
    if (!c.inPause.empty()) {
      run.platform.At(run.platform.Now() + c.at, [&] {
        run.program.Click(FormId::Form4, testing_support::PlaceOf(FormId::Form4, c.inPause));
      });
    }
    const auto said = Added(run.platform.Said(), [&] { run.Click(FormId::Form4, "Command2"); });
    std::string heard;  // each line as its index in the series, or F for "found"
    for (std::size_t i = 0; i < said.size(); ++i) {
      const auto index = std::find(kSeries.begin(), kSeries.end(), said[i].text) - kSeries.begin();
      heard += said[i].text == fade::FadeText(kFoundLine) ? 'F' : static_cast<char>('0' + index);
      if (c.inPause.empty() && i > 0) {
        EXPECT_NEAR(said[i].at - said[i - 1].at, 1.0, 0.5) << i;
      }
    }
    EXPECT_EQ(heard, c.said);
    EXPECT_EQ(run.Panel().form.Visible(), c.inPause != "Command1");
    EXPECT_EQ(run.program.Loaded(FormId::Form3) != nullptr, !run.Panel().form.Visible());
  }
}

TEST(Panels, EachLinkButtonOpensItsOwnAddressTheRestDragSayOrClose) {
  Panels run;
  run.Unlock();
  for (const auto& link : panels::kLinks) {
    // Nothing said in the room: the address alone, then the keyword box's space and Enter.
    const auto sent =
        Added(run.platform.Client().Messages(), [&] { run.Click(FormId::Form3, link.button); });
    ASSERT_EQ(sent.size(), 3U) << link.button;
    EXPECT_EQ(sent[0].window, run.platform.Tree().toolbarEdit);
    EXPECT_EQ(sent[0].text, link.address) << link.button;
  }
  EXPECT_TRUE(run.program.Loaded(FormId::Form3)->Visible());
  // The panel is dragged by its surface and its text; "__" and "X" say their line first.
  EXPECT_EQ(
      Added(run.platform.Trace(),
            [&] {
              run.Click(FormId::Form3, "");
              run.platform.Do([&] { run.program.DblClick(FormId::Form3, std::nullopt); });
              run.Click(FormId::Form3, "Label1");
              run.Click(FormId::Form3, "Label2");
              run.Click(FormId::Form3, "Label3");
              run.Click(FormId::Form3, "");
            }),
      (Trace{"drag Form3", "drag Form3", "said " + Narrow(panels::kMinimizeLine), "minimize Form3",
             "said " + Narrow(panels::kCloseLine), "hide Form3", "unload Form3"}));
  EXPECT_NE(run.program.Loaded(FormId::Form5), nullptr) << "the picture window stays";
}

}  // namespace
