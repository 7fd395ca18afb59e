#pragma once
// The secret panel: three entries and two buttons, without a title bar.

#include "formkit/Description.h"
#include "forms/CommonPieces.h"

namespace forms {

constexpr ControlDesc Caption(std::string_view name, int top, int tab, std::u16string_view text) {
  return {.name = name,
          .kind = Kind::Label,
          .left = 120,
          .top = top,
          .width = 855,
          .height = 255,
          .tabIndex = tab,
          .text = text,
          .transparent = true,
          .align = Align::Center};
}

inline constexpr ControlDesc kForm4Controls[] = {
    {.name = "Command2",
     .kind = Kind::Button,
     .left = 2760,
     .top = 480,
     .width = 735,
     .height = 255,
     .tabIndex = 7,
     .text = u"Cancel",
     .faceColour = kHighlightText,
     .graphical = true},
    {.name = "Command1",
     .kind = Kind::Button,
     .left = 2760,
     .top = 120,
     .width = 735,
     .height = 255,
     .tabIndex = 6,
     .text = u"Test Luck",
     .faceColour = kHighlightText,
     .isDefault = true,
     .graphical = true},
    {.name = "Text3",
     .kind = Kind::TextBox,
     .left = 960,
     .top = 600,
     .width = 1695,
     .height = 285,
     .tabIndex = 2,
     .passwordChar = u'0'},
    {.name = "Text2",
     .kind = Kind::TextBox,
     .left = 960,
     .top = 360,
     .width = 1695,
     .height = 330,
     .tabIndex = 1,
     .passwordChar = u'*'},
    {.name = "Text1",
     .kind = Kind::TextBox,
     .left = 960,
     .top = 120,
     .width = 1695,
     .height = 285,
     .tabIndex = 0},
    Shape("Shape4", 3600, 0, 135, 1095),
    Shape("Shape3", 0, 960, 3615, 135),
    {.name = "Line2", .kind = Kind::Line, .left = 1200, .top = 360, .x2 = 120, .y2 = 360},
    {.name = "Line1", .kind = Kind::Line, .left = 960, .top = 600, .x2 = 120, .y2 = 600},
    Shape("Shape2", 120, 120, 855, 756),
    Caption("Label3", 600, 5, u"420 Number"),
    Caption("Label2", 360, 4, u"Password"),
    Caption("Label1", 120, 3, u"Secret Name"),
    Shape("Shape1", 0, 0, 3615, 975),
};

inline constexpr FormDesc kForm4{
    .name = "Form4",
    .caption = u"Form4",
    .frame = FrameStyle::None,
    .clientWidth = 3735,
    .clientHeight = 1095,
    .backColour = kHighlightText,
    .font = kArialNarrow,
    .start = StartPosition::CenterScreen,
    .controls = kForm4Controls,
};

}  // namespace forms
