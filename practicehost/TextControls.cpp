#include "practicehost/TextControls.h"

#include <optional>

#include "practicehost/Children.h"
#include "practicehost/Classes.h"
#include "practicehost/Drawing.h"
#include "practicehost/Protocol.h"
#include "practicehost/Scale.h"
#include "winkit/Window.h"

namespace practicehost {
namespace {

constexpr COLORREF kIconFace = RGB(0xF6, 0xC8, 0x3C);
constexpr COLORREF kIconFacePressed = RGB(0xD8, 0xA4, 0x10);
constexpr COLORREF kIconEdge = RGB(0x8A, 0x66, 0x00);
constexpr COLORREF kIconText = RGB(0x20, 0x20, 0x40);
// In 96-dpi pixels; the icon's edge is a hairline at any scale.
constexpr int kIconCornerDiameter = 10;
constexpr int kIconPressedShift = 1;
constexpr int kTitleIndent = 6;

// Extra bytes of the classes: the font and, for the icon, its pressed state.
constexpr int kFontSlot = 0;
constexpr int kPressedSlot = static_cast<int>(sizeof(LONG_PTR));
constexpr int kTitleExtraBytes = static_cast<int>(sizeof(LONG_PTR));
constexpr int kIconExtraBytes = 2 * static_cast<int>(sizeof(LONG_PTR));

HFONT FontOf(HWND window) {
  const auto font = reinterpret_cast<HFONT>(GetWindowLongPtrA(window, kFontSlot));
  return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// WM_SETFONT, WM_GETFONT and WM_SETTEXT, which both classes answer alike.
std::optional<LRESULT> TextMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFONT:
      SetWindowLongPtrA(window, kFontSlot, static_cast<LONG_PTR>(wParam));
      if (LOWORD(lParam)) {
        InvalidateRect(window, nullptr, TRUE);
      }
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrA(window, kFontSlot);
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
      InvalidateRect(window, nullptr, TRUE);
      return result;
    }
    default:
      return std::nullopt;
  }
}

bool IsPressed(HWND window) { return GetWindowLongPtrA(window, kPressedSlot) != 0; }

void SetPressed(HWND window, bool pressed) {
  if (IsPressed(window) == pressed) {
    return;
  }
  SetWindowLongPtrA(window, kPressedSlot, pressed ? 1 : 0);
  InvalidateRect(window, nullptr, TRUE);
}

bool CursorInside(HWND window, LPARAM lParam) {
  RECT client;
  GetClientRect(window, &client);
  return PtInRect(&client, winkit::PointOf(lParam)) != FALSE;
}

void ClickIcon(HWND window) {
  SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
               reinterpret_cast<LPARAM>(window));
}

void PaintIcon(HWND window) {
  winkit::PaintDc paint(window);
  const HDC dc = paint.Get();
  RECT client;
  GetClientRect(window, &client);
  const bool pressed = IsPressed(window);
  winkit::UniqueBrush face(CreateSolidBrush(pressed ? kIconFacePressed : kIconFace));
  winkit::UniquePen edge(CreatePen(PS_SOLID, 1, kIconEdge));
  {
    winkit::ScopedSelect brush(dc, face.Get());
    winkit::ScopedSelect pen(dc, edge.Get());
    RoundRect(dc, client.left, client.top, client.right, client.bottom, Px(kIconCornerDiameter),
              Px(kIconCornerDiameter));
  }
  if (pressed) {
    OffsetRect(&client, Px(kIconPressedShift), Px(kIconPressedShift));
  }
  DrawTextIn(dc, FontOf(window), kIconText, GetText(window), client,
             DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// Clicked when the mouse is pressed and released over it (or by BM_CLICK).
LRESULT CALLBACK IconProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (const std::optional<LRESULT> result = TextMessage(window, message, wParam, lParam)) {
    return *result;
  }
  switch (message) {
    case WM_PAINT:
      PaintIcon(window);
      return 0;
    case WM_LBUTTONDOWN:
      SetCapture(window);
      SetPressed(window, true);
      return 0;
    case WM_MOUSEMOVE:
      if (GetCapture() == window) {
        SetPressed(window, CursorInside(window, lParam));
      }
      return 0;
    case WM_LBUTTONUP: {
      const bool click = IsPressed(window) && CursorInside(window, lParam);
      if (GetCapture() == window) {
        ReleaseCapture();
      }
      SetPressed(window, false);
      if (click) {
        ClickIcon(window);
      }
      return 0;
    }
    case WM_CAPTURECHANGED:
      SetPressed(window, false);
      return 0;
    case BM_CLICK:
      ClickIcon(window);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

LRESULT CALLBACK TitleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (const std::optional<LRESULT> result = TextMessage(window, message, wParam, lParam)) {
    return *result;
  }
  if (message != WM_PAINT) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  winkit::PaintDc paint(window);
  RECT client;
  GetClientRect(window, &client);
  client.left += Px(kTitleIndent);
  DrawTextIn(paint.Get(), FontOf(window), kTitleColor, GetText(window), client,
             DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
  return 0;
}

WNDCLASSEXA TextClass(const char* name, WNDPROC proc, int extraBytes, HINSTANCE instance) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = proc;
  windowClass.cbWndExtra = extraBytes;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = SystemColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = name;
  return windowClass;
}

}  // namespace

bool AddTextControlClasses(WindowClasses& classes, HINSTANCE instance, std::string& error) {
  WNDCLASSEXA icon = TextClass(kIconClass, winkit::Guarded<&IconProc>, kIconExtraBytes, instance);
  icon.hCursor = LoadCursor(nullptr, IDC_HAND);
  return classes.Add(icon, error) &&
         classes.Add(
             TextClass(kStaticClass, winkit::Guarded<&TitleProc>, kTitleExtraBytes, instance),
             error);
}

}  // namespace practicehost
