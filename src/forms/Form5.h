#pragma once
// The picture window: two pictures and a label in a resizable window of its own.

#include "formkit/Description.h"
#include "forms/CommonPieces.h"
#include "forms/Resources.h"

namespace forms {

inline constexpr ControlDesc kForm5Controls[] = {
    {.name = "Picture2",
     .kind = Kind::PictureBox,
     .left = 3600,
     .top = 0,
     .width = 3375,
     .height = 6615,
     .tabIndex = 1,
     .picture = ZIBBET_BITMAP_FORM5_RIGHT},
    {.name = "Picture1",
     .kind = Kind::PictureBox,
     .left = 0,
     .top = 0,
     .width = 3735,
     .height = 4695,
     .tabIndex = 0,
     .picture = ZIBBET_BITMAP_FORM5_LEFT},
    {.name = "Label1",
     .kind = Kind::Label,
     .left = 0,
     .top = 4680,
     .width = 3015,
     .height = 1095,
     .tabIndex = 2,
     .text = u"Who Wants Some!",
     .font = Font{.face = "MS Sans Serif", .points = 24, .weight = 400}},
    {.name = "Shape1", .kind = Kind::Shape, .left = 3720, .top = 0, .width = 1695, .height = 4575},
};

inline constexpr FormDesc kForm5{
    .name = "Form5",
    .caption = u"Go Quorbel!!!!!!!!!!!!!!!",
    .frame = FrameStyle::Sizable,
    .clientWidth = 7050,
    .clientHeight = 5865,
    .backColour = kButtonFace,
    .start = StartPosition::SystemDefault,
    .controls = kForm5Controls,
};

}  // namespace forms
