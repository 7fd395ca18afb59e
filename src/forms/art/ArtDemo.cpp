// A look at the generated resources as Windows loads them: every bitmap, every icon at twice and
// at its own size, and the main window's labels over its background to judge their contrast.
// Built only with ZIBBET_ART_DEMO.
#include <windows.h>

#include <array>
#include <memory>
#include <type_traits>

#include "forms/Resources.h"

namespace {

struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DestroyIconHandle {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, DeleteGdiObject>;
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, DeleteGdiObject>;
using Icon = std::unique_ptr<std::remove_pointer_t<HICON>, DestroyIconHandle>;

constexpr int kMargin = 10;
constexpr int kIconSize = 32;
constexpr int kHotSpot = kIconSize / 2;
constexpr int kWindowWidth = 960;
constexpr int kWindowHeight = 470;
constexpr int kPictureCount = 4;
constexpr int kIconCount = 4;

struct Placed {
  int id;
  int x;
  int y;
};

struct Demo {
  std::array<Bitmap, kPictureCount> bitmaps;
  std::array<Icon, kIconCount> icons;
  Icon splashPointer;  // ZIBBET_ICON_FORM2_POINTER turned into a cursor
  Icon consolePointer;
  Font bold;
};

constexpr std::array<Placed, kPictureCount> kPictures = {{
    {ZIBBET_BITMAP_FORM1, kMargin, kMargin},
    {ZIBBET_BITMAP_FORM2, 140, kMargin},
    {ZIBBET_BITMAP_FORM5_LEFT, 420, kMargin},
    {ZIBBET_BITMAP_FORM5_RIGHT, 690, kMargin},
}};
constexpr std::array<int, kIconCount> kIcons = {ZIBBET_ICON_APP, ZIBBET_ICON_FORM1_POINTER,
                                                ZIBBET_ICON_FORM1_LABELS,
                                                ZIBBET_ICON_FORM2_POINTER};

Icon LoadIconResource(HINSTANCE instance, int id) {
  return Icon(static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, kIconSize, kIconSize, 0)));
}

// The forms use the icons as pointers with the hot spot in the middle.
Icon PointerFromIcon(HICON icon) {
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) {
    return nullptr;
  }
  info.fIcon = FALSE;
  info.xHotspot = kHotSpot;
  info.yHotspot = kHotSpot;
  Icon pointer(CreateIconIndirect(&info));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return pointer;
}

void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y) {
  BITMAP size{};
  GetObjectW(bitmap, sizeof size, &size);
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(dc, x, y, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

// The main window's white bold labels where it places them.
void DrawConsoleLabels(HDC dc, const Demo& demo, int x, int y) {
  constexpr int kBoxLeft = 8;
  constexpr int kBoxWidth = 95;
  constexpr int kBoxHeight = 14;
  for (const int top : {32, 48}) {
    RECT box{x + kBoxLeft, y + top, x + kBoxLeft + kBoxWidth, y + top + kBoxHeight};
    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  HGDIOBJ old = SelectObject(dc, demo.bold.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  TextOutW(dc, x + 2, y + 2, L"Zibbet-Vemm", 11);
  TextOutW(dc, x + 4, y + 74, L"ON  Pause  OFF", 14);
  TextOutW(dc, x + 4, y + 90, L"00000 Minutes", 13);
  SelectObject(dc, old);
}

void Paint(HWND window, const Demo& demo) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  for (std::size_t i = 0; i < kPictures.size(); ++i) {
    DrawBitmap(dc, demo.bitmaps[i].get(), kPictures[i].x, kPictures[i].y);
  }
  DrawConsoleLabels(dc, demo, kPictures[0].x, kPictures[0].y);
  constexpr int kFirstIconRow = 140;
  constexpr int kIconStep = 76;
  constexpr int kDoubled = 2 * kIconSize;
  for (std::size_t i = 0; i < demo.icons.size(); ++i) {
    const int y = kFirstIconRow + static_cast<int>(i) * kIconStep;
    DrawIconEx(dc, kMargin, y, demo.icons[i].get(), kDoubled, kDoubled, 0, nullptr, DI_NORMAL);
    DrawIconEx(dc, kMargin + kDoubled + kMargin, y + kIconSize / 2, demo.icons[i].get(), kIconSize,
               kIconSize, 0, nullptr, DI_NORMAL);
  }
  EndPaint(window, &ps);
}

bool Inside(POINT p, const Placed& at, HBITMAP bitmap) {
  BITMAP size{};
  GetObjectW(bitmap, sizeof size, &size);
  return p.x >= at.x && p.y >= at.y && p.x < at.x + size.bmWidth && p.y < at.y + size.bmHeight;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  const auto* demo = reinterpret_cast<const Demo*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_PAINT:
      if (demo != nullptr) {
        Paint(window, *demo);
        return 0;
      }
      break;
    case WM_SETCURSOR:
      if (demo != nullptr && LOWORD(lParam) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(window, &p);
        if (Inside(p, kPictures[0], demo->bitmaps[0].get()) && demo->consolePointer) {
          SetCursor(demo->consolePointer.get());
          return TRUE;
        }
        if (Inside(p, kPictures[1], demo->bitmaps[1].get()) && demo->splashPointer) {
          SetCursor(demo->splashPointer.get());
          return TRUE;
        }
      }
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  Demo demo;
  for (std::size_t i = 0; i < kPictures.size(); ++i) {
    demo.bitmaps[i].reset(static_cast<HBITMAP>(LoadImageW(
        instance, MAKEINTRESOURCEW(kPictures[i].id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!demo.bitmaps[i]) {
      return 1;
    }
  }
  for (std::size_t i = 0; i < kIcons.size(); ++i) {
    demo.icons[i] = LoadIconResource(instance, kIcons[i]);
    if (!demo.icons[i]) {
      return 1;
    }
  }
  demo.consolePointer = PointerFromIcon(demo.icons[1].get());
  demo.splashPointer = PointerFromIcon(demo.icons[3].get());
  constexpr int kLabelHeight = -11;  // 8.25 points at 96 DPI
  demo.bold.reset(CreateFontW(kLabelHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif"));

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = demo.icons[0].get();
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"ZibbetArtDemo";
  if (RegisterClassW(&windowClass) == 0) {
    return 1;
  }
  HWND window =
      CreateWindowExW(0, windowClass.lpszClassName, L"Zibbet pictures", WS_OVERLAPPEDWINDOW, 0, 0,
                      kWindowWidth, kWindowHeight, nullptr, nullptr, instance, &demo);
  if (window == nullptr) {
    return 1;
  }
  ShowWindow(window, show);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
