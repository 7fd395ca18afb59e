#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// Stored window descriptions: a window's own settings and its controls in stored order, from
// which the window is built. Lengths are twips (1440 to the inch; 15 to a pixel at 96 DPI).
namespace formkit {

// Colours are platform colour values (red in the low byte); with the top bit set, the low byte
// is a system colour index that follows the user's colour scheme.
using Colour = std::uint32_t;
inline constexpr Colour kSystemColour = 0x80000000U;
constexpr Colour SystemColour(int index) { return kSystemColour | static_cast<Colour>(index); }
inline constexpr Colour kWindowBackground = SystemColour(5);
inline constexpr Colour kWindowText = SystemColour(8);
inline constexpr Colour kCaptionText = SystemColour(9);
inline constexpr Colour kHighlightText = SystemColour(14);
inline constexpr Colour kButtonFace = SystemColour(15);
inline constexpr Colour kButtonText = SystemColour(18);

enum class Kind { Label, TextBox, Button, Image, PictureBox, Shape, Line, Timer, ChatScanner };
enum class FrameStyle { None, FixedWithTitle, Sizable };
enum class StartPosition { CenterScreen, SystemDefault };
enum class Align { Left, Center };

// Mouse pointers, as numbered by the platform's form toolkit.
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerArrow = 1;
inline constexpr int kPointerIBeam = 3;
inline constexpr int kPointerUpArrow = 10;
inline constexpr int kPointerCustom = 99;

struct Font {
  std::string_view face{};
  double points = 8.25;
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  int charset = 0;  // 0: ANSI
  bool operator==(const Font&) const = default;
};

struct ControlDesc {
  std::string_view name{};
  Kind kind = Kind::Label;
  // Twips in the client area. A line runs from (left, top) to (x2, y2).
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int x2 = 0;
  int y2 = 0;
  int tabIndex = -1;                   // -1: takes no place in the focus order
  std::u16string_view text{};          // caption or text
  std::optional<Colour> foreColour{};  // default: button text (labels), window text (boxes)
  std::optional<Colour> faceColour{};  // buttons; default: button face
  bool transparent = false;
  Align align = Align::Left;
  std::optional<Font> font{};  // default: the window's
  int pointer = kPointerDefault;
  int pointerIcon = 0;        // icon resource behind pointer 99 (or carried unused)
  int picture = 0;            // bitmap resource, 24 bits per pixel
  int lineWidth = 1;          // pixels at 96 DPI, lines and shapes
  char16_t passwordChar = 0;  // text boxes: shown for each character typed
  bool isDefault = false;     // buttons: Enter in any text box of the window presses it
  bool graphical = false;     // buttons: drawn in their face colour
  int interval = 0;           // timers, milliseconds
  bool enabled = true;
  std::string_view progId{};  // hosted components
};

struct FormDesc {
  std::string_view name{};
  std::u16string_view caption{};
  FrameStyle frame = FrameStyle::None;
  int clientWidth = 0;  // twips
  int clientHeight = 0;
  Colour backColour = kButtonFace;
  int picture = 0;             // background bitmap resource, drawn at the top left; 0: none
  std::optional<Font> font{};  // default: the platform's dialog font
  int pointer = kPointerDefault;
  int pointerIcon = 0;
  int icon = 0;  // window icon resource; 0: none
  StartPosition start = StartPosition::CenterScreen;
  std::span<const ControlDesc> controls{};  // front to back
};

// The place of the named control in the window's description; none for a name it does not have.
constexpr std::optional<std::size_t> IndexOf(const FormDesc& form, std::string_view name) {
  for (std::size_t i = 0; i < form.controls.size(); ++i) {
    if (form.controls[i].name == name) {
      return i;
    }
  }
  return std::nullopt;
}

// Every control has a name of its own (the build finds controls by name) and a place of its own
// in the focus order.
constexpr bool NamesAndTabsUnique(const FormDesc& form) {
  const auto& controls = form.controls;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      if (controls[i].name == controls[j].name ||
          (controls[i].tabIndex >= 0 && controls[i].tabIndex == controls[j].tabIndex)) {
        return false;
      }
    }
  }
  return true;
}

// Pixels for twips at the given dots per inch (15 twips to a pixel at 96).
constexpr int TwipsToPixels(int twips, int dpi) {
  constexpr int kTwipsPerInch = 1440;
  return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

}  // namespace formkit
