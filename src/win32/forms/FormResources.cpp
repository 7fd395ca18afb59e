#include "win32/forms/FormResources.h"

#include <algorithm>
#include <cmath>

#include "forms/Display.h"
#include "winkit/Text.h"

namespace forms_win32 {
namespace {

constexpr forms::Font kDefaultFont{.face = "MS Sans Serif", .points = 8, .weight = FW_NORMAL};
constexpr double kPointsPerInch = 72;

// The picture at the display's scale, made once: painting then only copies it. HALFTONE
// averages the source pixels under each target pixel, where the default drops or repeats them.
winkit::UniqueBitmap Scaled(winkit::UniqueBitmap picture, int dpi) {
  BITMAP info{};
  if (!picture || GetObjectW(picture.Get(), sizeof info, &info) == 0) {
    return picture;
  }
  const int width = forms::ScaledPixels(info.bmWidth, dpi);
  const int height = forms::ScaledPixels(info.bmHeight, dpi);
  if (width == info.bmWidth && height == info.bmHeight) {
    return picture;
  }
  const winkit::WindowDc screen(nullptr);
  winkit::UniqueBitmap scaled(CreateCompatibleBitmap(screen.Get(), width, height));
  const winkit::UniqueDc from(CreateCompatibleDC(screen.Get()));
  const winkit::UniqueDc to(CreateCompatibleDC(screen.Get()));
  bool drawn = false;
  if (scaled && from && to) {
    const winkit::ScopedSelect source(from.Get(), picture.Get());
    const winkit::ScopedSelect target(to.Get(), scaled.Get());
    SetStretchBltMode(to.Get(), HALFTONE);
    SetBrushOrgEx(to.Get(), 0, 0, nullptr);  // HALFTONE leaves the brush origin undefined
    drawn = StretchBlt(to.Get(), 0, 0, width, height, from.Get(), 0, 0, info.bmWidth, info.bmHeight,
                       SRCCOPY) != FALSE;
  }
  // Unscaled is better than none.
  return drawn ? std::move(scaled) : std::move(picture);
}

winkit::UniqueBitmap LoadPicture(HINSTANCE module, int resource, int dpi) {
  if (resource == 0) {
    return {};
  }
  return Scaled(winkit::UniqueBitmap(static_cast<HBITMAP>(LoadImageW(
                    module, MAKEINTRESOURCEW(resource), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))),
                dpi);
}

winkit::UniqueIcon LoadIconSized(HINSTANCE module, int resource, int widthMetric,
                                 int heightMetric) {
  if (resource == 0) {
    return {};
  }
  return winkit::UniqueIcon(static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(resource),
                                                          IMAGE_ICON, GetSystemMetrics(widthMetric),
                                                          GetSystemMetrics(heightMetric), 0)));
}

// The icon as a pointer whose hot spot is its centre.
winkit::UniqueCursor CursorFromIcon(HINSTANCE module, int resource) {
  const winkit::UniqueIcon icon = LoadIconSized(module, resource, SM_CXCURSOR, SM_CYCURSOR);
  ICONINFO info{};
  if (!icon || GetIconInfo(icon.Get(), &info) == FALSE) {
    return {};
  }
  const winkit::UniqueBitmap mask(info.hbmMask);
  const winkit::UniqueBitmap colour(info.hbmColor);
  BITMAP bits{};
  if (GetObjectW(mask.Get(), sizeof bits, &bits) == 0) {
    return {};
  }
  // A monochrome icon keeps its AND and XOR masks one above the other in the mask bitmap.
  const int height = colour ? bits.bmHeight : bits.bmHeight / 2;
  info.fIcon = FALSE;
  info.xHotspot = static_cast<DWORD>(bits.bmWidth / 2);
  info.yHotspot = static_cast<DWORD>(height / 2);
  return winkit::UniqueCursor(CreateIconIndirect(&info));
}

}  // namespace

FormResources::FormResources(HINSTANCE module, const forms::FormDesc& desc, int dpi)
    : module_(module),
      desc_(desc),
      dpi_(dpi),
      formPicture_(LoadPicture(module, desc.picture, dpi)),
      bigIcon_(LoadIconSized(module, desc.icon, SM_CXICON, SM_CYICON)),
      smallIcon_(LoadIconSized(module, desc.icon, SM_CXSMICON, SM_CYSMICON)) {
  pictures_.resize(desc.controls.size());
  for (std::size_t i = 0; i < desc.controls.size(); ++i) {
    const forms::ControlDesc& control = desc.controls[i];
    if (control.kind == forms::Kind::Image || control.kind == forms::Kind::PictureBox) {
      pictures_[i] = LoadPicture(module, control.picture, dpi);
    }
  }
}

HFONT FormResources::Font(const std::optional<forms::Font>& controlFont) {
  const forms::Font font = controlFont.value_or(desc_.font.value_or(kDefaultFont));
  for (const auto& [cached, handle] : fonts_) {
    if (cached == font) {
      return handle.Get();
    }
  }
  LOGFONTW logical{};
  logical.lfHeight = -static_cast<LONG>(std::lround(font.points * dpi_ / kPointsPerInch));
  logical.lfWeight = font.weight;
  logical.lfItalic = font.italic ? TRUE : FALSE;
  logical.lfUnderline = font.underline ? TRUE : FALSE;
  logical.lfStrikeOut = font.strikeOut ? TRUE : FALSE;
  logical.lfCharSet = static_cast<BYTE>(font.charset);
  const std::wstring face = winkit::WideFromUtf8(font.face).substr(0, LF_FACESIZE - 1);
  std::copy(face.begin(), face.end(), logical.lfFaceName);
  winkit::UniqueFont created(CreateFontIndirectW(&logical));
  if (!created) {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }
  HFONT result = created.Get();
  fonts_.emplace_back(font, std::move(created));
  return result;
}

HCURSOR FormResources::Pointer(int pointer, int icon) {
  switch (pointer) {
    case forms::kPointerArrow:
      return LoadCursorA(nullptr, IDC_ARROW);
    case forms::kPointerIBeam:
      return LoadCursorA(nullptr, IDC_IBEAM);
    case forms::kPointerUpArrow:
      return LoadCursorA(nullptr, IDC_UPARROW);
    case forms::kPointerCustom:
      break;
    default:
      return nullptr;
  }
  if (icon == 0) {
    return nullptr;
  }
  for (const auto& [resource, cursor] : cursors_) {
    if (resource == icon) {
      return cursor.Get();
    }
  }
  // Kept even when the icon is missing, so it is looked for once.
  cursors_.emplace_back(icon, CursorFromIcon(module_, icon));
  return cursors_.back().second.Get();
}

}  // namespace forms_win32
