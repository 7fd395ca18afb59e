#pragma once
// The splash window: a fixed window with a bare title bar and one picture that opens the program.

#include "formkit/Description.h"
#include "forms/CommonPieces.h"
#include "forms/Resources.h"

namespace forms {

inline constexpr ControlDesc kForm2Controls[] = {
    // Two pixels taller than the client area: its bottom rows are cut off.
    {.name = "Image1",
     .kind = Kind::Image,
     .left = 0,
     .top = 0,
     .width = 4005,
     .height = 6045,
     .pointer = kPointerCustom,
     .pointerIcon = ZIBBET_ICON_FORM2_POINTER,
     .picture = ZIBBET_BITMAP_FORM2},
};

inline constexpr FormDesc kForm2{
    .name = "Form2",
    .caption = u"Zibbet Version 1 By: Mr Vemm",
    .frame = FrameStyle::FixedWithTitle,
    .clientWidth = 4005,
    .clientHeight = 6015,
    .backColour = kButtonFace,
    .icon = ZIBBET_ICON_APP,
    .start = StartPosition::CenterScreen,
    .controls = kForm2Controls,
};

}  // namespace forms
