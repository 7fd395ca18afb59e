// Painting a form window: its surface with the drawn controls (labels, shapes, lines, images)
// into a back buffer, picture boxes, graphical buttons and the text boxes' colours.
#include <algorithm>

#include "win32/formkit/FormWindow.h"
#include "winkit/Text.h"

namespace formkit_win32 {
namespace {

using formkit::Kind;

constexpr formkit::Colour kSystemColourIndex = 0xFF;
constexpr formkit::Colour kPictureBoxBack = formkit::kButtonFace;
constexpr formkit::Colour kShapeOutline = formkit::kWindowText;
constexpr int kFocusInset = 3;
constexpr int kDisabledEmboss = 1;
constexpr UINT kCentredLine = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

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

// Paints into a memory bitmap and copies the result out in one go, so nothing flickers.
class BackBuffer {
 public:
  BackBuffer(HDC target, const RECT& area)
      : target_(target),
        width_(area.right - area.left),
        height_(area.bottom - area.top),
        dc_(CreateCompatibleDC(target)),
        bitmap_(CreateCompatibleBitmap(target, std::max(width_, 1), std::max(height_, 1))),
        select_(dc_.Get(), bitmap_.Get()) {}

  HDC Get() const { return dc_.Get(); }
  void Present() const { BitBlt(target_, 0, 0, width_, height_, dc_.Get(), 0, 0, SRCCOPY); }

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

}  // namespace

void FormWindow::PaintSurface(HDC target) {
  RECT client{};
  GetClientRect(Handle(), &client);
  const BackBuffer buffer(target, client);
  HDC dc = buffer.Get();
  FillRect(dc, &client, DcBrush(dc, Resolve(form_.Desc().backColour)));
  DrawPicture(dc, resources_->FormPicture(), client);
  // Back to front.
  for (std::size_t i = form_.Controls().size(); i-- > 0;) {
    PaintControl(dc, i);
  }
  buffer.Present();
}

void FormWindow::PaintControl(HDC dc, std::size_t index) {
  const formkit::Control& control = form_.Controls()[index];
  const formkit::ControlDesc& desc = control.Desc();
  if (!control.Visible()) {
    return;
  }
  const winkit::ScopedDcState state(dc);
  switch (desc.kind) {
    case Kind::Label: {
      RECT box = Box(desc);
      IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
      if (!desc.transparent) {
        FillRect(dc, &box, DcBrush(dc, Resolve(form_.Desc().backColour)));
      }
      SelectObject(dc, resources_->CaptionFont(index));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, control.Enabled() ? Resolve(desc.foreColour.value_or(formkit::kButtonText))
                                         : GetSysColor(COLOR_GRAYTEXT));
      const std::wstring text = winkit::Wide(control.Text());
      const UINT align = desc.align == formkit::Align::Center ? DT_CENTER : DT_LEFT;
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_WORDBREAK | align);
      break;
    }
    case Kind::Shape: {
      RECT box = Box(desc);
      HBRUSH outline = DcBrush(dc, Resolve(desc.foreColour.value_or(kShapeOutline)));
      // Wider outlines grow inwards, so the box stays the shape's outer edge.
      for (int ring = 0; ring < PenWidth(desc) && !IsRectEmpty(&box); ++ring) {
        FrameRect(dc, &box, outline);
        InflateRect(&box, -1, -1);
      }
      break;
    }
    case Kind::Line: {
      const winkit::UniquePen pen(
          CreatePen(PS_SOLID, PenWidth(desc), Resolve(desc.foreColour.value_or(kShapeOutline))));
      const winkit::ScopedSelect select(dc, pen.Get());
      MoveToEx(dc, Px(desc.left), Px(desc.top), nullptr);
      LineTo(dc, Px(desc.x2), Px(desc.y2));
      break;
    }
    case Kind::Image:
      DrawPicture(dc, resources_->Picture(index), Box(desc));
      break;
    default:
      break;  // windowed or invisible kinds
  }
}

void FormWindow::PaintPictureBox(HWND box, HDC target) {
  const std::optional<std::size_t> index = IndexOf(box);
  RECT client{};
  GetClientRect(box, &client);
  const BackBuffer buffer(target, client);
  HDC dc = buffer.Get();
  FillRect(dc, &client, DcBrush(dc, Resolve(kPictureBoxBack)));
  if (index) {
    DrawPicture(dc, resources_->Picture(*index), client);
  }
  buffer.Present();
}

void FormWindow::DrawButton(const DRAWITEMSTRUCT& item) {
  const std::optional<std::size_t> index = IndexOf(item.hwndItem);
  if (!index) {
    return;
  }
  const formkit::Control& control = form_.Controls()[*index];
  const formkit::ControlDesc& desc = control.Desc();
  HDC dc = item.hDC;
  const winkit::ScopedDcState state(dc);
  RECT face = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &face, DcBrush(dc, Resolve(desc.faceColour.value_or(formkit::kButtonFace))));
  DrawEdge(dc, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

  RECT text = face;
  if (pressed) {
    OffsetRect(&text, 1, 1);
  }
  SelectObject(dc, resources_->CaptionFont(*index));
  SetBkMode(dc, TRANSPARENT);
  const std::wstring caption = winkit::Wide(control.Text());
  const int length = static_cast<int>(caption.size());
  if ((item.itemState & ODS_DISABLED) != 0) {
    // Engraved, as disabled captions are drawn.
    OffsetRect(&text, kDisabledEmboss, kDisabledEmboss);
    SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
    DrawTextW(dc, caption.c_str(), length, &text, kCentredLine);
    OffsetRect(&text, -kDisabledEmboss, -kDisabledEmboss);
    SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
  } else {
    SetTextColor(dc, Resolve(desc.foreColour.value_or(formkit::kButtonText)));
  }
  DrawTextW(dc, caption.c_str(), length, &text, kCentredLine);

  if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -kFocusInset, -kFocusInset);
    DrawFocusRect(dc, &focus);
  }
}

LRESULT FormWindow::ColourTextBox(UINT message, HWND box, HDC dc) {
  const auto index = IndexOf(box);
  if (!index || form_.Controls()[*index].Desc().kind != Kind::TextBox) {
    return Default(message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(box));
  }
  const formkit::ControlDesc& desc = form_.Controls()[*index].Desc();
  // A locked box keeps its colours; only its text greys, as the system greys disabled text.
  SetTextColor(dc, IsWindowEnabled(box) != FALSE
                       ? Resolve(desc.foreColour.value_or(formkit::kWindowText))
                       : GetSysColor(COLOR_GRAYTEXT));
  const COLORREF back = Resolve(formkit::kWindowBackground);
  SetBkColor(dc, back);
  return reinterpret_cast<LRESULT>(DcBrush(dc, back));
}

}  // namespace formkit_win32
