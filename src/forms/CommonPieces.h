#pragma once
// The pieces the five window descriptions (Form1.h to Form5.h) have in common: the description
// types they are written in, brought into namespace forms; the narrow face the console and the
// two panels are designed in; and small constructors of common controls.

#include <string_view>

#include "formkit/Description.h"

namespace forms {

using formkit::Align;
using formkit::ControlDesc;
using formkit::Font;
using formkit::FormDesc;
using formkit::FrameStyle;
using formkit::kButtonFace;
using formkit::kCaptionText;
using formkit::kHighlightText;
using formkit::Kind;
using formkit::kPointerArrow;
using formkit::kPointerCustom;
using formkit::kPointerIBeam;
using formkit::kPointerUpArrow;
using formkit::StartPosition;

// The face the console and the two panels are designed in.
inline constexpr Font kArialNarrow{.face = "Arial Narrow", .points = 8.25, .weight = 400};

// An outline rectangle in the default look.
constexpr ControlDesc Shape(std::string_view name, int left, int top, int width, int height) {
  return {.name = name,
          .kind = Kind::Shape,
          .left = left,
          .top = top,
          .width = width,
          .height = height};
}

}  // namespace forms
