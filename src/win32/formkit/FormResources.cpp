#include "win32/formkit/FormResources.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "formkit/Display.h"
#include "winkit/Text.h"

namespace formkit_win32 {
namespace {

constexpr formkit::Font kDefaultFont{.face = "MS Sans Serif", .points = 8, .weight = FW_NORMAL};
constexpr double kPointsPerInch = 72;

// The picture at the display's scale, made once: painting then only copies it. HALFTONE
// averages the source pixels under each target pixel, where the default drops or repeats them.
winkit::UniqueBitmap Scaled(winkit::UniqueBitmap picture, int dpi) {
  BITMAP info{};
  if (!picture || GetObjectW(picture.Get(), sizeof info, &info) == 0) {
    return picture;
  }
  const int width = formkit::ScaledPixels(info.bmWidth, dpi);
  const int height = formkit::ScaledPixels(info.bmHeight, dpi);
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

void SetFace(LOGFONTW& logical, std::string_view face) {
  const std::wstring wide = winkit::WideFromUtf8(face).substr(0, LF_FACESIZE - 1);
  std::fill(std::begin(logical.lfFaceName), std::end(logical.lfFaceName), L'\0');
  std::copy(wide.begin(), wide.end(), logical.lfFaceName);
}

int CALLBACK NoteFound(const LOGFONTW* /*font*/, const TEXTMETRICW* /*metrics*/, DWORD /*type*/,
                       LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
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

bool FaceInstalled(std::string_view face, int charset) {
  LOGFONTW query{};
  query.lfCharSet = static_cast<BYTE>(charset);
  SetFace(query, face);
  bool found = false;
  const winkit::UniqueDc dc(CreateCompatibleDC(nullptr));
  EnumFontFamiliesExW(dc.Get(), &query, &NoteFound, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

FormResources::FormResources(HINSTANCE module, const formkit::FormDesc& desc, int dpi)
    : module_(module),
      desc_(desc),
      dpi_(dpi),
      formPicture_(LoadPicture(module, desc.picture, dpi)),
      bigIcon_(LoadIconSized(module, desc.icon, SM_CXICON, SM_CYICON)),
      smallIcon_(LoadIconSized(module, desc.icon, SM_CXSMICON, SM_CYSMICON)) {
  pictures_.resize(desc.controls.size());
  captionFonts_.resize(desc.controls.size());
  for (std::size_t i = 0; i < desc.controls.size(); ++i) {
    const formkit::ControlDesc& control = desc.controls[i];
    if (control.kind == formkit::Kind::Image || control.kind == formkit::Kind::PictureBox) {
      pictures_[i] = LoadPicture(module, control.picture, dpi);
    }
  }
}

RECT FormResources::Box(const formkit::ControlDesc& control) const {
  const int left = Px(control.left);
  const int top = Px(control.top);
  return {left, top, left + Px(control.width), top + Px(control.height)};
}

int FormResources::PenWidth(const formkit::ControlDesc& control) const {
  return std::max(formkit::ScaledPixels(control.lineWidth, dpi_), 1);
}

formkit::Font FormResources::Resolved(const std::optional<formkit::Font>& controlFont) const {
  return controlFont.value_or(desc_.font.value_or(kDefaultFont));
}

HFONT FormResources::Font(const std::optional<formkit::Font>& controlFont) {
  const formkit::Font font = Resolved(controlFont);
  return Made(font, DescribedHeight(font));
}

HFONT FormResources::CaptionFont(std::size_t index) {
  const formkit::ControlDesc& control = desc_.controls[index];
  if ((control.kind != formkit::Kind::Label && control.kind != formkit::Kind::Button) ||
      control.text.empty()) {
    return Font(control.font);
  }
  if (captionFonts_[index] != nullptr) {
    return captionFonts_[index];
  }
  const formkit::Font font = Resolved(control.font);
  const int described = DescribedHeight(font);
  const winkit::UniqueDc dc(CreateCompatibleDC(nullptr));
  LOGFONTW logical = Logical(font, described);  // the face looked up once, not at every trial
  const int height = formkit::LargestFitting((described + 1) / 2, described, [&](int candidate) {
    logical.lfHeight = -candidate;
    const winkit::UniqueFont trial(CreateFontIndirectW(&logical));
    return trial && CaptionFits(dc.Get(), control, trial.Get());
  });
  captionFonts_[index] = Made(font, height);
  return captionFonts_[index];
}

int FormResources::DescribedHeight(const formkit::Font& font) const {
  return static_cast<int>(std::lround(font.points * dpi_ / kPointsPerInch));
}

LOGFONTW FormResources::Logical(const formkit::Font& font, int height) const {
  LOGFONTW logical{};
  logical.lfHeight = -height;
  logical.lfWeight = font.weight;
  logical.lfItalic = font.italic ? TRUE : FALSE;
  logical.lfUnderline = font.underline ? TRUE : FALSE;
  logical.lfStrikeOut = font.strikeOut ? TRUE : FALSE;
  logical.lfCharSet = static_cast<BYTE>(font.charset);
  SetFace(logical, font.face);
  const auto installed = [&](std::string_view face) { return FaceInstalled(face, font.charset); };
  if (!installed(font.face)) {
    if (const auto standIn = formkit::StandInFace(font.face, installed)) {
      SetFace(logical, *standIn);
    }
  }
  return logical;
}

HFONT FormResources::Made(const formkit::Font& font, int height) {
  for (const MadeFont& made : fonts_) {
    if (made.font == font && made.height == height) {
      return made.handle.Get();
    }
  }
  const LOGFONTW logical = Logical(font, height);
  winkit::UniqueFont created(CreateFontIndirectW(&logical));
  if (!created) {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }
  fonts_.push_back({font, height, std::move(created)});
  return fonts_.back().handle.Get();
}

// As the control draws it: a label wraps at word breaks, where a word too long for the width
// widens the rectangle; a button keeps its caption on one line, clear of its raised edge.
bool FormResources::CaptionFits(HDC dc, const formkit::ControlDesc& control, HFONT font) const {
  const winkit::ScopedSelect select(dc, font);
  const bool label = control.kind == formkit::Kind::Label;
  const int width = formkit::TwipsToPixels(control.width, dpi_);
  const int across = label ? width : width - 2 * GetSystemMetrics(SM_CXEDGE);
  const std::wstring text = winkit::Wide(control.text);
  RECT needed{0, 0, across, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
            DT_CALCRECT | (label ? DT_WORDBREAK : DT_SINGLELINE));
  return needed.right <= across && needed.bottom <= formkit::TwipsToPixels(control.height, dpi_);
}

HCURSOR FormResources::Pointer(int pointer, int icon) {
  switch (pointer) {
    case formkit::kPointerArrow:
      return LoadCursorA(nullptr, IDC_ARROW);
    case formkit::kPointerIBeam:
      return LoadCursorA(nullptr, IDC_IBEAM);
    case formkit::kPointerUpArrow:
      return LoadCursorA(nullptr, IDC_UPARROW);
    case formkit::kPointerCustom:
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

}  // namespace formkit_win32
