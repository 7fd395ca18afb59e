#pragma once
// Fonts, fills and text for the host's own painted windows.

#include <windows.h>

#include <string_view>

#include "winkit/Handles.h"

namespace practicehost {

inline constexpr COLORREF kToolbarColor = RGB(0xDC, 0xE6, 0xF2);
inline constexpr COLORREF kToolbarEdge = RGB(0x9A, 0xAC, 0xC4);
inline constexpr COLORREF kBoxColor = RGB(0xFF, 0xFF, 0xFF);
inline constexpr COLORREF kTitleColor = RGB(0x10, 0x30, 0x80);
// The room between the controls of the frame's strips and of the documents beside the rooms, and
// the height of a one-line control there; in 96-dpi pixels, like every length of the host (Px).
inline constexpr int kSpacing = 8;
inline constexpr int kControlHeight = 24;

// A system colour as a class background, the documented way.
inline HBRUSH SystemColorBrush(int color) {
  return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(color + 1));
}

// height: in 96-dpi pixels (negative: the character height), made at the screen's dpi.
winkit::UniqueFont MakeFont(const char* face, int height, int weight);
void FillSolid(HDC dc, const RECT& rect, COLORREF color);
void DrawTextIn(HDC dc, HFONT font, COLORREF color, std::string_view text, RECT rect, UINT format);

}  // namespace practicehost
