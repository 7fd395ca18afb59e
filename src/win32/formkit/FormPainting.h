#pragma once
// What the form's surface and its controls' views paint with.

#include <windows.h>

#include "formkit/Description.h"
#include "winkit/Handles.h"

namespace formkit_win32 {

// A colour of the description: an RGB value, or with formkit::kSystemColour a system colour.
COLORREF Resolve(formkit::Colour colour);
// The DC's own brush in that colour: nothing to delete.
HBRUSH DcBrush(HDC dc, COLORREF colour);

// Paints into a memory bitmap and copies the result out in one go, so nothing flickers.
class BackBuffer {
 public:
  BackBuffer(HDC target, const RECT& area);

  HDC Get() const { return dc_.Get(); }
  void Present() const;

 private:
  HDC target_;
  int width_;
  int height_;
  winkit::UniqueDc dc_;
  winkit::UniqueBitmap bitmap_;
  winkit::ScopedSelect select_;
};

// A bitmap from the box's top left, cut off at the box's edges; already at the display's scale
// (FormResources).
void DrawPicture(HDC dc, HBITMAP picture, const RECT& box);

}  // namespace formkit_win32
