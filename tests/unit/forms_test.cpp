// Invariants of the five window descriptions that the behaviour and the renderer rely on.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "forms/Program.h"

namespace {

using forms::FormId;
using forms::Kind;

TEST(Descriptions, NamesAndTabIndexesAreUniquePerWindow) {
  for (const FormId id :
       {FormId::Form1, FormId::Form2, FormId::Form3, FormId::Form4, FormId::Form5}) {
    const auto& desc = forms::DescriptionOf(id);
    std::set<std::string_view> names;
    std::set<int> tabs;
    for (const auto& control : desc.controls) {
      EXPECT_TRUE(names.insert(control.name).second) << desc.name << " " << control.name;
      if (control.tabIndex >= 0) {
        EXPECT_TRUE(tabs.insert(control.tabIndex).second) << desc.name << " " << control.name;
      }
    }
  }
}

TEST(Descriptions, ClientSizesAreWholePixelsAt96Dpi) {
  struct Case {
    FormId id;
    int width;
    int height;
  };
  for (const auto& c :
       {Case{FormId::Form1, 113, 113}, Case{FormId::Form2, 267, 401}, Case{FormId::Form3, 281, 161},
        Case{FormId::Form4, 249, 73}, Case{FormId::Form5, 470, 391}}) {
    const auto& desc = forms::DescriptionOf(c.id);
    EXPECT_EQ(desc.clientWidth % 15, 0) << desc.name;
    EXPECT_EQ(forms::TwipsToPixels(desc.clientWidth, 96), c.width) << desc.name;
    EXPECT_EQ(forms::TwipsToPixels(desc.clientHeight, 96), c.height) << desc.name;
  }
  EXPECT_EQ(forms::TwipsToPixels(1695, 120), 141);
  EXPECT_EQ(forms::TwipsToPixels(1695, 144), 170);
}

TEST(Descriptions, WhatTheBehaviourAddressesExistsWithTheRightKind) {
  struct Case {
    FormId id;
    const char* name;
    Kind kind;
  };
  const Case cases[] = {
      {FormId::Form1, "Timer1", Kind::Timer},      {FormId::Form1, "Label1", Kind::Label},
      {FormId::Form1, "Text1", Kind::TextBox},     {FormId::Form1, "Text2", Kind::TextBox},
      {FormId::Form1, "Label3", Kind::Label},      {FormId::Form1, "Label4", Kind::Label},
      {FormId::Form1, "Label6", Kind::Label},      {FormId::Form1, "Label8", Kind::Label},
      {FormId::Form1, "Chat1", Kind::ChatScanner}, {FormId::Form2, "Image1", Kind::Image},
      {FormId::Form4, "Text1", Kind::TextBox},     {FormId::Form4, "Text2", Kind::TextBox},
      {FormId::Form4, "Text3", Kind::TextBox},     {FormId::Form4, "Command1", Kind::Button},
      {FormId::Form4, "Command2", Kind::Button},   {FormId::Form3, "Label2", Kind::Label},
      {FormId::Form3, "Label3", Kind::Label},
  };
  for (const auto& c : cases) {
    forms::Form form(forms::DescriptionOf(c.id));
    EXPECT_EQ(form[c.name].Desc().kind, c.kind) << c.name;
  }
  forms::Form form(forms::DescriptionOf(FormId::Form1));
  EXPECT_THROW(form["Label9"], std::out_of_range);
}

TEST(Descriptions, LinkButtonsHaveShortCaptionsAndNoNumbersElevenOrTwelve) {
  const auto& desc = forms::DescriptionOf(FormId::Form3);
  int buttons = 0;
  for (const auto& control : desc.controls) {
    if (control.kind != Kind::Button) {
      continue;
    }
    ++buttons;
    EXPECT_LE(control.text.size(), 11U) << control.name;
    EXPECT_FALSE(control.text.empty()) << control.name;
    EXPECT_NE(control.name, "Command11");
    EXPECT_NE(control.name, "Command12");
  }
  EXPECT_EQ(buttons, 12);
}

TEST(Descriptions, SecretPanelMasksAndDefaultButton) {
  forms::Form form(forms::DescriptionOf(FormId::Form4));
  EXPECT_EQ(form["Text1"].Desc().passwordChar, 0);
  EXPECT_EQ(form["Text2"].Desc().passwordChar, u'*');
  EXPECT_EQ(form["Text3"].Desc().passwordChar, u'0');
  EXPECT_TRUE(form["Command1"].Desc().isDefault);
  EXPECT_FALSE(form["Command2"].Desc().isDefault);
  for (const char* box : {"Text1", "Text2", "Text3"}) {
    EXPECT_TRUE(form[box].Text().empty()) << box;
  }
}

}  // namespace
