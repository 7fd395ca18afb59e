// The main window: a small borderless console with its own title strip, two text boxes, an
// ON / Pause / OFF row and a minute counter over a background picture.
#include "forms/Description.h"
#include "forms/Resources.h"

namespace forms {
namespace {

constexpr Font kNarrow{.face = "Arial Narrow", .points = 8.25, .weight = 400};
constexpr Font kNarrowBold{.face = "Arial Narrow", .points = 8.25, .weight = 700};
constexpr Font kNarrowBigBold{.face = "Arial Narrow", .points = 9.75, .weight = 700};

ControlDesc Shape(std::string_view name, int left, int top, int width, int height) {
  return {.name = name, .kind = Kind::Shape, .left = left, .top = top, .width = width,
          .height = height};
}

}  // namespace

const FormDesc& Form1Description() {
  static const FormDesc desc{
      .name = "Form1",
      .caption = u"",
      .frame = FrameStyle::None,
      .clientWidth = 1695,
      .clientHeight = 1695,
      .backColour = kCaptionText,
      .picture = ZIBBET_BITMAP_FORM1,
      .font = kNarrow,
      .pointer = kPointerCustom,
      .pointerIcon = ZIBBET_ICON_FORM1_POINTER,
      .start = StartPosition::CenterScreen,
      .controls =
          {
              {.name = "Chat1", .kind = Kind::ChatScanner, .left = 120, .top = 2520,
               .width = 2280, .height = 1290, .progId = "chatscan\u00b3.Chat"},
              {.name = "Text3", .kind = Kind::TextBox, .left = 600, .top = 1800, .width = 1095,
               .height = 330, .tabIndex = 7, .text = u"arial narrow"},
              {.name = "Timer1", .kind = Kind::Timer, .interval = 60000, .enabled = true},
              {.name = "Text2", .kind = Kind::TextBox, .left = 120, .top = 720, .width = 1455,
               .height = 285, .tabIndex = 1, .text = u"quillomar", .pointer = kPointerIBeam},
              {.name = "Text1", .kind = Kind::TextBox, .left = 240, .top = 480, .width = 1215,
               .height = 240, .tabIndex = 0, .text = u"HBO Speacial",
               .pointer = kPointerIBeam},
              {.name = "Label8", .kind = Kind::Label, .left = 600, .top = 1080, .width = 495,
               .height = 255, .tabIndex = 10, .text = u"Pause", .foreColour = kHighlightText,
               .transparent = true, .font = kNarrowBold, .pointer = kPointerUpArrow},
              {.name = "Label7", .kind = Kind::Label, .left = 1320, .top = 1080, .width = 255,
               .height = 255, .tabIndex = 9, .text = u"OFF", .foreColour = kHighlightText,
               .transparent = true, .font = kNarrowBold, .pointer = kPointerArrow},
              {.name = "Label6", .kind = Kind::Label, .left = 120, .top = 1080, .width = 255,
               .height = 255, .tabIndex = 8, .text = u"ON", .foreColour = kHighlightText,
               .transparent = true, .font = kNarrowBold, .pointer = kPointerUpArrow},
              {.name = "Line1", .kind = Kind::Line, .left = 1680, .top = 1680, .x2 = 1680,
               .y2 = 0, .lineWidth = 3},
              Shape("Shape12", 0, 1560, 1695, 135),
              Shape("Shape11", 120, 1320, 615, 255),
              Shape("Shape10", 120, 1320, 1575, 255),
              Shape("Shape9", 0, 1320, 1575, 255),
              {.name = "Label2", .kind = Kind::Label, .left = 840, .top = 1320, .width = 615,
               .height = 255, .tabIndex = 6, .text = u"Minutes", .foreColour = kHighlightText,
               .transparent = true},
              Shape("Shape8", 1200, 0, 255, 255),
              Shape("Shape7", 1440, 0, 255, 255),
              Shape("Shape6", 0, 240, 1695, 1455),
              {.name = "Label5", .kind = Kind::Label, .left = 0, .top = 0, .width = 1215,
               .height = 255, .tabIndex = 5, .text = u"Zibbet-Vemm",
               .foreColour = kHighlightText, .transparent = true, .align = Align::Center},
              {.name = "Label1", .kind = Kind::Label, .left = 120, .top = 1320, .width = 615,
               .height = 255, .tabIndex = 4, .text = u"00000", .foreColour = kHighlightText,
               .transparent = true, .align = Align::Center},
              {.name = "Label4", .kind = Kind::Label, .left = 1200, .top = 0, .width = 255,
               .height = 255, .tabIndex = 3, .text = u"__", .foreColour = kHighlightText,
               .transparent = true, .align = Align::Center, .font = kNarrowBigBold,
               .pointer = kPointerUpArrow, .pointerIcon = ZIBBET_ICON_FORM1_LABELS},
              {.name = "Label3", .kind = Kind::Label, .left = 1440, .top = 0, .width = 255,
               .height = 255, .tabIndex = 2, .text = u"X", .foreColour = kHighlightText,
               .transparent = true, .align = Align::Center, .font = kNarrowBigBold,
               .pointer = kPointerUpArrow, .pointerIcon = ZIBBET_ICON_FORM1_LABELS},
              Shape("Shape2", 120, 0, 1695, 255),
          },
  };
  return desc;
}

}  // namespace forms
