#pragma once

#include <string_view>

#include "forms/Description.h"

// Pieces the window descriptions share.
namespace forms {

// The face the console and the two panels are designed in.
inline constexpr Font kArialNarrow{.face = "Arial Narrow", .points = 8.25, .weight = 400};

// An outline rectangle in the default look.
inline ControlDesc Shape(std::string_view name, int left, int top, int width, int height) {
  return {.name = name,
          .kind = Kind::Shape,
          .left = left,
          .top = top,
          .width = width,
          .height = height};
}

}  // namespace forms
