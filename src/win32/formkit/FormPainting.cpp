// Painting a form window's surface: its back colour and picture under the drawn controls, into a
// back buffer.
#include "win32/formkit/FormPainting.h"

#include <algorithm>

#include "win32/formkit/FormWindow.h"

namespace formkit_win32 {
namespace {

constexpr formkit::Colour kSystemColourIndex = 0xFF;

}  // namespace

COLORREF Resolve(formkit::Colour colour) {
  if ((colour & formkit::kSystemColour) != 0) {
    return GetSysColor(static_cast<int>(colour & kSystemColourIndex));
  }
  return colour;
}

HBRUSH DcBrush(HDC dc, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}

BackBuffer::BackBuffer(HDC target, const RECT& area)
    : target_(target),
      width_(area.right - area.left),
      height_(area.bottom - area.top),
      dc_(CreateCompatibleDC(target)),
      bitmap_(CreateCompatibleBitmap(target, std::max(width_, 1), std::max(height_, 1))),
      select_(dc_.Get(), bitmap_.Get()) {}

void BackBuffer::Present() const {
  BitBlt(target_, 0, 0, width_, height_, dc_.Get(), 0, 0, SRCCOPY);
}

void DrawPicture(HDC dc, HBITMAP picture, const RECT& box) {
  BITMAP info{};
  if (picture == nullptr || GetObjectW(picture, sizeof info, &info) == 0) {
    return;
  }
  winkit::UniqueDc source(CreateCompatibleDC(dc));
  winkit::ScopedSelect select(source.Get(), picture);
  const int width = std::min<int>(info.bmWidth, box.right - box.left);
  const int height = std::min<int>(info.bmHeight, box.bottom - box.top);
  BitBlt(dc, box.left, box.top, width, height, source.Get(), 0, 0, SRCCOPY);
}

void FormWindow::PaintSurface(HDC target) {
  RECT client{};
  GetClientRect(Handle(), &client);
  const BackBuffer buffer(target, client);
  HDC dc = buffer.Get();
  FillRect(dc, &client, DcBrush(dc, Resolve(form_.Desc().backColour)));
  DrawPicture(dc, resources_->FormPicture(), client);
  // Back to front.
  for (std::size_t i = views_.size(); i-- > 0;) {
    views_[i]->PaintOnSurface(dc);
  }
  buffer.Present();
}

}  // namespace formkit_win32
