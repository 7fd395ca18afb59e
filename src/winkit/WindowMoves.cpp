#include "winkit/WindowMoves.h"

namespace winkit {

void MakeTopmost(HWND window) {
  constexpr UINT kKeepPlaceAndSize = SWP_NOMOVE | SWP_NOSIZE;
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlaceAndSize);
}

void DragWindow(HWND window) {
  // SC_MOVE + HTCAPTION: the move loop a caption click starts.
  constexpr WPARAM kMoveByCaption = 0xFFFFF012;
  ReleaseCapture();
  LONG none = 0;
  SendMessageA(window, WM_SYSCOMMAND, kMoveByCaption, reinterpret_cast<LPARAM>(&none));
}

}  // namespace winkit
