#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "formkit/Description.h"
#include "formkit/Display.h"
#include "winkit/Handles.h"

namespace formkit_win32 {

// Whether the system has a font family of that face in the character set (0: ANSI).
bool FaceInstalled(std::string_view face, int charset);

// One form's window at one scale: where its controls go in pixels, and the GDI objects it uses
// (its pictures and icons from the program file, the fonts of its controls and the pointers built
// from icons). The objects are made as they are first needed and kept while the window lives at
// that scale (they must outlive the window's use of them). A window that changes scale makes a
// new set from the originals.
class FormResources {
 public:
  // `module` holds the pictures and icons; `dpi` sizes the pictures and fonts.
  FormResources(HINSTANCE module, const formkit::FormDesc& desc, int dpi);

  int Dpi() const { return dpi_; }
  int Px(int twips) const { return formkit::TwipsToPixels(twips, dpi_); }
  // A control's place in its window's client area.
  RECT Box(const formkit::ControlDesc& control) const;
  // A pen's width, given in pixels at 96 DPI.
  int PenWidth(const formkit::ControlDesc& control) const;

  HBITMAP FormPicture() const { return formPicture_.Get(); }
  // The picture of an image or picture box control, by control index; nullptr for none.
  HBITMAP Picture(std::size_t index) const { return pictures_.at(index).Get(); }
  HICON BigIcon() const { return bigIcon_.Get(); }
  HICON SmallIcon() const { return smallIcon_.Get(); }

  // The control's font, or with none the window's, or the platform's dialog font, at the scale.
  // A face the system lacks gives way to a narrow stand-in.
  HFONT Font(const std::optional<formkit::Font>& controlFont);
  // The font the control at `index` draws its caption in: for a label or button, its font made
  // the least smaller that fits the caption whole inside the control, never below half its
  // height; hinting does not grow text by exactly the scale, and a stand-in face is not the
  // described one. For other kinds, Font.
  HFONT CaptionFont(std::size_t index);
  // The pointer for a pointer number (99: built from the icon resource); nullptr for the default.
  HCURSOR Pointer(int pointer, int icon);

 private:
  struct MadeFont {
    formkit::Font font;
    int height = 0;
    winkit::UniqueFont handle;
  };

  formkit::Font Resolved(const std::optional<formkit::Font>& controlFont) const;
  // The font at the scale in the face the system draws it in, `height` pixels to the em.
  LOGFONTW Logical(const formkit::Font& font, int height) const;
  int DescribedHeight(const formkit::Font& font) const;
  HFONT Made(const formkit::Font& font, int height);
  bool CaptionFits(HDC dc, const formkit::ControlDesc& control, HFONT font) const;

  HINSTANCE module_;
  const formkit::FormDesc& desc_;
  int dpi_;
  winkit::UniqueBitmap formPicture_;
  std::vector<winkit::UniqueBitmap> pictures_;  // by control index
  winkit::UniqueIcon bigIcon_;
  winkit::UniqueIcon smallIcon_;
  std::vector<MadeFont> fonts_;
  std::vector<HFONT> captionFonts_;                            // by control index, once fitted
  std::vector<std::pair<int, winkit::UniqueCursor>> cursors_;  // by icon resource
};

}  // namespace formkit_win32
