#include "practicehost/Drawing.h"

#include "practicehost/Scale.h"

namespace practicehost {

winkit::UniqueFont MakeFont(const char* face, int height, int weight) {
  LOGFONTA font{};
  font.lfHeight = Px(height);
  font.lfWeight = weight;
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
  return winkit::UniqueFont(CreateFontIndirectA(&font));
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  const winkit::UniqueBrush brush(CreateSolidBrush(color));
  FillRect(dc, &rect, brush.Get());
}

void DrawTextIn(HDC dc, HFONT font, COLORREF color, std::string_view text, RECT rect, UINT format) {
  const winkit::ScopedSelect select(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  DrawTextA(dc, text.data(), static_cast<int>(text.size()), &rect, format | DT_NOPREFIX);
}

}  // namespace practicehost
