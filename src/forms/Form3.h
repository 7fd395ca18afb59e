#pragma once
// The links panel: twelve link buttons in three rows of four, a long text label, and its own
// minimize and close labels in the lower right corner.

#include "formkit/Description.h"
#include "forms/CommonPieces.h"

namespace forms {

inline constexpr Font kNarrowLarger{.face = "Arial Narrow", .points = 9.75, .weight = 400};

constexpr ControlDesc LinkButton(std::string_view name, int left, int top, int width, int tab,
                                 std::u16string_view caption) {
  return {.name = name,
          .kind = Kind::Button,
          .left = left,
          .top = top,
          .width = width,
          .height = 255,
          .tabIndex = tab,
          .text = caption,
          .faceColour = kHighlightText,
          .graphical = true};
}

inline constexpr ControlDesc kForm3Controls[] = {
    LinkButton("Command14", 3120, 840, 855, 11, u"Search"),
    LinkButton("Command13", 2160, 840, 855, 10, u"Flickr"),
    LinkButton("Command10", 3120, 480, 855, 9, u"Art Inst."),
    LinkButton("Command9", 2160, 480, 855, 8, u"Space Daily"),
    LinkButton("Command8", 1200, 840, 855, 7, u"NYPL Photos"),
    LinkButton("Command7", 120, 840, 975, 6, u"Europeana"),
    LinkButton("Command6", 1200, 480, 855, 5, u"Smithsonian"),
    LinkButton("Command5", 120, 480, 975, 4, u"Met Museum"),
    LinkButton("Command4", 3120, 120, 855, 3, u"Space"),
    LinkButton("Command3", 2160, 120, 855, 2, u"Art Gallery"),
    LinkButton("Command2", 1200, 120, 855, 1, u"Library"),
    LinkButton("Command1", 120, 120, 975, 0, u"Commons"),
    {.name = "Label3",
     .kind = Kind::Label,
     .left = 3840,
     .top = 2160,
     .width = 255,
     .height = 255,
     .tabIndex = 14,
     .text = u"X",
     .transparent = true,
     .align = Align::Center},
    {.name = "Label2",
     .kind = Kind::Label,
     .left = 3600,
     .top = 2160,
     .width = 255,
     .height = 255,
     .tabIndex = 13,
     .text = u"__",
     .transparent = true,
     .align = Align::Center},
    Shape("Shape6", 3600, 2160, 255, 255),
    Shape("Shape5", 3840, 2160, 255, 255),
    Shape("Shape4", 4080, 2160, 135, 255),
    Shape("Shape3", 0, 0, 4215, 2415),
    {.name = "Line1", .kind = Kind::Line, .left = 0, .top = 1320, .x2 = 4080, .y2 = 1320},
    {.name = "Label1",
     .kind = Kind::Label,
     .left = 120,
     .top = 1320,
     .width = 3855,
     .height = 735,
     .tabIndex = 12,
     .text = u"Here Are Some Links To Some Good Sites With Free Pictures. This Is The "
             u"Seceret Area! Each Site Has More That 20 Pics For That Subject So Help "
             u"Yur Self!",
     .transparent = true,
     .align = Align::Left,
     .font = kNarrowLarger},
    Shape("Shape2", 0, 1200, 4095, 975),
    Shape("Shape1", 0, 0, 4095, 1215),
};

inline constexpr FormDesc kForm3{
    .name = "Form3",
    .caption = u"Form3",
    .frame = FrameStyle::None,
    .clientWidth = 4215,
    .clientHeight = 2415,
    .backColour = kHighlightText,
    .font = kArialNarrow,
    .start = StartPosition::SystemDefault,
    .controls = kForm3Controls,
};

}  // namespace forms
