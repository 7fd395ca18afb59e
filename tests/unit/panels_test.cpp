// The chat trigger, the secret panel and the links panel, run headless on virtual time.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Headless.h"
#include "Zibbet.h"
#include "fade/Fade.h"
#include "panels/LinksPanel.h"

namespace {

using forms::FormId;
using testing_support::Headless;

const std::string kFound = "(o Y o)Secret Area Found(o Y o)";
const std::string kWrong = "(_)_)I Love=Guyz=Im=Gay=Girls=Are=Ugly==D";
const std::vector<std::u16string> kSeries = {
    u" I Love Guyz, Im Gay, Girls Are Ugly!", u"Girls A Nasty Guyz Are The Best",
    u"Burn In Hell Girlz, Guyz Rule", u" Being Gay Is The Best I Love Guyz"};

class PanelsTest : public ::testing::Test {
 protected:
  Headless platform;
  forms::Program program{platform, zibbet::Behaviours(platform.Chat()),
                         zibbet::Components(platform.Chat())};

  void SetUp() override {
    platform.Do([&] { zibbet::Start(program); });
    platform.Do([&] { program.Click(FormId::Form2, "Image1"); });
    platform.RunFor(1);
  }

  // A line said in the room; the scanner hears it within a poll.
  void Say(std::u16string_view sender, std::u16string_view text) {
    platform.SayInRoom(sender, text);
    platform.RunFor(0.2);
  }
  void OpenPanel() {
    Say(Headless::kScreenName, u"TU9VO");
    ASSERT_NE(program.Loaded(FormId::Form4), nullptr);
  }
  forms::Form& Panel() { return *program.Loaded(FormId::Form4); }
  void Enter(std::u16string_view name, std::u16string_view code, std::u16string_view age) {
    Panel()["Text1"].TakeTypedText(name);
    Panel()["Text2"].TakeTypedText(code);
    Panel()["Text3"].TakeTypedText(age);
  }
  void Click(FormId id, std::string_view control) {
    platform.Do([&] { program.Click(id, control); });
  }
  // What happened since the mark.
  std::vector<std::string> TraceSince(std::size_t mark) {
    const auto& trace = platform.Trace();
    return {trace.begin() + static_cast<std::ptrdiff_t>(mark), trace.end()};
  }
  std::size_t Mark() { return platform.Trace().size(); }
  std::vector<Headless::Line> SaidSince(std::size_t count) {
    const auto said = platform.Said();
    return {said.begin() + static_cast<std::ptrdiff_t>(count), said.end()};
  }
};

TEST_F(PanelsTest, TheUsersTriggerWordInAnyCaseOpensThePanel) {
  for (const std::u16string word : {u"TU9VO", u"tU9vO"}) {
    Headless local;
    forms::Program run(local, zibbet::Behaviours(local.Chat()), zibbet::Components(local.Chat()));
    local.Do([&] { zibbet::Start(run); });
    local.Do([&] { run.Click(FormId::Form2, "Image1"); });
    local.RunFor(1);
    local.SayInRoom(Headless::kScreenName, word);
    local.RunFor(0.2);
    ASSERT_NE(run.Loaded(FormId::Form4), nullptr);
    EXPECT_TRUE(run.Loaded(FormId::Form4)->Visible());
    EXPECT_EQ(local.Views(FormId::Form4).topmost, 1);
  }
}

TEST_F(PanelsTest, OtherLinesOpenNothing) {
  struct Case {
    std::u16string sender;
    std::u16string text;
  };
  const std::vector<Case> cases = {
      {u"Kestrel Jay", u" tu9vo"},        {u"Kestrel Jay", u"tu9vo "},
      {u"Kestrel Jay", u"say tu9vo now"}, {u"Kestrel Jay", u"tu9v0"},
      {u"Ann Other", u"tu9vo"},           {u"kestrel jay", u"tu9vo"},
      {u"Kestrel Jay ", u"tu9vo"},        {u"", u"tu9vo"},
  };
  for (const auto& c : cases) {
    Say(c.sender, c.text);
  }
  // The console's own banners said meanwhile never open it either.
  Click(FormId::Form1, "Label6");
  Click(FormId::Form1, "Label8");
  platform.RunFor(1);
  EXPECT_EQ(program.Loaded(FormId::Form4), nullptr);
  EXPECT_EQ(platform.Loads(FormId::Form4), 0);
}

TEST_F(PanelsTest, TheTriggerAgainBringsBackTheSamePanelWithItsEntries) {
  OpenPanel();
  Enter(u"vemm", u"ve", u"");
  Say(Headless::kScreenName, u"tu9vo");
  EXPECT_EQ(platform.Loads(FormId::Form4), 1);
  EXPECT_EQ(Panel()["Text2"].Text(), u"ve");

  Enter(u"vemm", u"vemm", u"18");
  Click(FormId::Form4, "Command1");
  EXPECT_FALSE(Panel().Visible());
  Say(Headless::kScreenName, u"Tu9vo");
  EXPECT_TRUE(Panel().Visible());
  EXPECT_EQ(platform.Loads(FormId::Form4), 1);
  EXPECT_EQ(Panel()["Text3"].Text(), u"18");
}

TEST_F(PanelsTest, WrongFirstOrSecondEntryIsAnsweredBySilence) {
  OpenPanel();
  const struct {
    std::u16string name, code, age;
  } cases[] = {
      {u"vemm", u"", u"18"}, {u"Vemm", u"vemm", u"18"},  {u"vemm", u"vemm ", u"18"},
      {u"", u"vemm", u"18"}, {u" vemm", u"vemm", u"18"}, {u"vemm", u"VEMM", u"18"},
  };
  const std::size_t before = platform.Said().size();
  for (const auto& c : cases) {
    Enter(c.name, c.code, c.age);
    Click(FormId::Form4, "Command1");
  }
  EXPECT_EQ(platform.Said().size(), before);
  EXPECT_EQ(program.Loaded(FormId::Form3), nullptr);
  EXPECT_TRUE(Panel().Visible());
}

TEST_F(PanelsTest, AWrongNumberPostsTheFadedPrankLine) {
  OpenPanel();
  for (const std::u16string age : {u"", u" 18", u"18 ", u"19", u"081"}) {
    const std::size_t before = platform.Said().size();
    Enter(u"vemm", u"vemm", age);
    Click(FormId::Form4, "Command1");
    const auto said = SaidSince(before);
    ASSERT_EQ(said.size(), 1U);
    EXPECT_EQ(said[0].text, fade::FadeText(std::u16string(kWrong.begin(), kWrong.end())));
    EXPECT_TRUE(Panel().Visible());
    EXPECT_EQ(Panel()["Text3"].Text(), age);
  }
  EXPECT_EQ(program.Loaded(FormId::Form3), nullptr);
}

TEST_F(PanelsTest, UnlockShowsTheLinksThenSaysFoundThenHides) {
  OpenPanel();
  Enter(u"vemm", u"vemm", u"18");
  const std::size_t mark = Mark();
  const std::size_t before = platform.Said().size();
  Click(FormId::Form4, "Command1");
  EXPECT_EQ(TraceSince(mark),
            (std::vector<std::string>{"load Form3", "load Form5", "show Form5", "topmost Form3",
                                      "show Form3", "said " + kFound, "hide Form4"}));
  const auto said = SaidSince(before);
  ASSERT_EQ(said.size(), 1U);
  EXPECT_EQ(said[0].text, fade::FadeText(std::u16string(kFound.begin(), kFound.end())));
}

TEST_F(PanelsTest, UnlockWhileTheLinksAreLoadedDoesNotShowThePictureAgain) {
  OpenPanel();
  Enter(u"vemm", u"vemm", u"18");
  Click(FormId::Form4, "Command1");
  Click(FormId::Form3, "Label2");                       // minimized, still loaded
  platform.Do([&] { program.Unload(FormId::Form5); });  // the user closes the picture window
  Say(Headless::kScreenName, u"tu9vo");
  const std::size_t mark = Mark();
  Click(FormId::Form4, "Command1");
  const auto trace = TraceSince(mark);
  EXPECT_EQ(std::count(trace.begin(), trace.end(), "load Form5"), 0);
  EXPECT_EQ(std::count(trace.begin(), trace.end(), "load Form3"), 0);
  EXPECT_EQ(platform.Loads(FormId::Form3), 1);

  // After "X" the next unlock loads the links panel, and so the picture window, afresh.
  Click(FormId::Form3, "Label3");
  EXPECT_EQ(program.Loaded(FormId::Form3), nullptr);
  Say(Headless::kScreenName, u"tu9vo");
  Click(FormId::Form4, "Command1");
  EXPECT_EQ(platform.Loads(FormId::Form3), 2);
  EXPECT_EQ(platform.Loads(FormId::Form5), 2);
}

TEST_F(PanelsTest, CancelSaysTheSeriesPlainWithElevenOneSecondPauses) {
  OpenPanel();
  const std::size_t before = platform.Said().size();
  Click(FormId::Form4, "Command2");
  const auto said = SaidSince(before);
  ASSERT_EQ(said.size(), 12U);
  for (std::size_t i = 0; i < said.size(); ++i) {
    EXPECT_EQ(said[i].text, kSeries[i % 4]) << i;
    if (i > 0) {
      const double gap = said[i].at - said[i - 1].at;
      EXPECT_GE(gap, 0.5) << i;
      EXPECT_LE(gap, 1.5) << i;
    }
  }
  EXPECT_TRUE(Panel().Visible());
}

TEST_F(PanelsTest, ASecondCancelInsideAPauseSaysAWholeSeriesFirst) {
  OpenPanel();
  const std::size_t before = platform.Said().size();
  platform.At(platform.Now() + 0.3, [&] { program.Click(FormId::Form4, "Command2"); });
  Click(FormId::Form4, "Command2");
  const auto said = SaidSince(before);
  ASSERT_EQ(said.size(), 24U);
  EXPECT_EQ(said[0].text, kSeries[0]);
  for (std::size_t i = 0; i < 12; ++i) {
    EXPECT_EQ(said[1 + i].text, kSeries[i % 4]) << "nested " << i;
  }
  for (std::size_t i = 1; i < 12; ++i) {
    EXPECT_EQ(said[12 + i].text, kSeries[i % 4]) << "outer " << i;
  }
}

TEST_F(PanelsTest, TestLuckInsideAPauseHidesThePanelAndTheSeriesGoesOn) {
  OpenPanel();
  Enter(u"vemm", u"vemm", u"18");
  const std::size_t before = platform.Said().size();
  platform.At(platform.Now() + 2.2, [&] { program.Click(FormId::Form4, "Command1"); });
  Click(FormId::Form4, "Command2");
  const auto said = SaidSince(before);
  ASSERT_EQ(said.size(), 13U);
  EXPECT_EQ(said[3].text, fade::FadeText(std::u16string(kFound.begin(), kFound.end())));
  EXPECT_EQ(said[12].text, kSeries[3]);
  EXPECT_FALSE(Panel().Visible());
  EXPECT_NE(program.Loaded(FormId::Form3), nullptr);
}

TEST_F(PanelsTest, EachLinkButtonOpensItsOwnAddressAndNothingElse) {
  OpenPanel();
  Enter(u"vemm", u"vemm", u"18");
  Click(FormId::Form4, "Command1");
  const hostwin::Handle box = platform.Tree().toolbarEdit;
  std::vector<std::u16string> opened;
  for (const auto& link : panels::Links()) {
    const std::size_t said = platform.Said().size();
    const std::size_t sent = platform.Client().Messages().size();
    Click(FormId::Form3, link.button);
    const auto& messages = platform.Client().Messages();
    ASSERT_EQ(messages.size(), sent + 3) << link.button;
    EXPECT_EQ(messages[sent].window, box);
    EXPECT_EQ(messages[sent].text, link.address) << link.button;
    EXPECT_EQ(messages[sent + 1].code, 32);
    EXPECT_EQ(messages[sent + 2].code, 13);
    EXPECT_EQ(platform.Said().size(), said);
    EXPECT_TRUE(program.Loaded(FormId::Form3)->Visible());
    opened.emplace_back(link.address);
  }
  std::sort(opened.begin(), opened.end());
  EXPECT_EQ(std::unique(opened.begin(), opened.end()), opened.end()) << "addresses repeat";
}

TEST(Links, AddressesFollowTheLinkTable) {
  auto host = [](std::u16string_view address) {
    const auto start = address.find(u"://") + 3;
    return address.substr(start, address.find(u'/', start) - start);
  };
  for (const auto& link : panels::Links()) {
    const std::u16string_view a = link.address;
    ASSERT_EQ(a.substr(0, 8), u"https://") << link.button;
    const bool homePage = link.button == "Command1" || link.button == "Command2" ||
                          link.button == "Command3" || link.button == "Command7" ||
                          link.button == "Command8";
    EXPECT_EQ(a.find(u'/', 8) == std::u16string_view::npos, homePage) << link.button;
  }
  const auto& links = panels::Links();
  auto find = [&](std::string_view button) {
    return std::find_if(links.begin(), links.end(),
                        [&](const auto& l) { return l.button == button; })
        ->address;
  };
  EXPECT_EQ(host(find("Command4")), host(find("Command9")));
  EXPECT_NE(find("Command4"), find("Command9"));
  const std::u16string_view search = find("Command14");
  const auto query = search.find(u"&query=");
  ASSERT_NE(query, std::u16string_view::npos);
  EXPECT_NE(search.find(u"?appname="), std::u16string_view::npos);
  const std::u16string_view token = search.substr(query + 7);
  ASSERT_EQ(token.size(), 240U);
  for (std::size_t i = 0; i < token.size(); i += 3) {
    EXPECT_EQ(token[i], u'%');
  }
}

TEST_F(PanelsTest, TheLinksPanelsLabelsSayTheirLineFirst) {
  OpenPanel();
  Enter(u"vemm", u"vemm", u"18");
  Click(FormId::Form4, "Command1");
  std::size_t mark = Mark();
  Click(FormId::Form3, "Label2");
  EXPECT_EQ(TraceSince(mark),
            (std::vector<std::string>{"said (o Y o)To Much Gotta Put This Down(o Y o)",
                                      "minimize Form3"}));
  mark = Mark();
  Click(FormId::Form3, "Label3");
  EXPECT_EQ(TraceSince(mark),
            (std::vector<std::string>{"said (o Y o)That Felt Good To Cum(o Y o)", "unload Form3"}));
  EXPECT_NE(program.Loaded(FormId::Form5), nullptr) << "the picture window stays";
  Click(FormId::Form3, "");
  EXPECT_EQ(program.Loaded(FormId::Form3), nullptr);
}

TEST_F(PanelsTest, TheLinksPanelIsDraggedByItsSurface) {
  OpenPanel();
  Enter(u"vemm", u"vemm", u"18");
  Click(FormId::Form4, "Command1");
  Click(FormId::Form3, "");
  platform.Do([&] { program.DblClick(FormId::Form3, ""); });
  Click(FormId::Form3, "Label1");  // the text label: no handler
  EXPECT_EQ(platform.Views(FormId::Form3).drags, 2);
}

}  // namespace
