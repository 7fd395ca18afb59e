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

// The GDI objects one form's window uses: its pictures and icons from the program file, the
// fonts of its controls and the pointers built from icons. Made as they are first needed and
// kept while the window lives (they must outlive it).
class FormResources {
 public:
  // `module` holds the pictures and icons; `dpi` sizes the fonts.
  FormResources(HINSTANCE module, const formkit::FormDesc& desc, int dpi);

  HBITMAP FormPicture() const { return formPicture_.Get(); }
  // The picture of an image or picture box control, by control index; nullptr for none.
  HBITMAP Picture(std::size_t index) const { return pictures_.at(index).Get(); }
  HICON BigIcon() const { return bigIcon_.Get(); }
  HICON SmallIcon() const { return smallIcon_.Get(); }

  // The control's font, or with none the window's, or the platform's dialog font. A face the
  // system lacks gives way to a stand-in, made small enough for the captions drawn in it.
  HFONT Font(const std::optional<formkit::Font>& controlFont);
  // The pointer for a pointer number (99: built from the icon resource); nullptr for the default.
  HCURSOR Pointer(int pointer, int icon);

 private:
  formkit::Font Resolved(const std::optional<formkit::Font>& controlFont) const;
  winkit::UniqueFont MakeFont(const formkit::Font& font) const;
  // What the captions of the labels and buttons in `font` need and have, drawn in `handle`.
  std::vector<formkit::Room> CaptionRooms(HDC dc, const formkit::Font& font, HFONT handle) const;

  HINSTANCE module_;
  const formkit::FormDesc& desc_;
  int dpi_;
  winkit::UniqueBitmap formPicture_;
  std::vector<winkit::UniqueBitmap> pictures_;  // by control index
  winkit::UniqueIcon bigIcon_;
  winkit::UniqueIcon smallIcon_;
  std::vector<std::pair<formkit::Font, winkit::UniqueFont>> fonts_;
  std::vector<std::pair<int, winkit::UniqueCursor>> cursors_;  // by icon resource
};

}  // namespace formkit_win32
