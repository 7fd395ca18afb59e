#pragma once
// Moves a window makes on the user's behalf: into the topmost band, and along with the mouse.

#include <windows.h>

namespace winkit {

// Into the topmost band, keeping place and size (and, as SetWindowPos does, activating it).
void MakeTopmost(HWND window);

// Lets the user move the window with the mouse as if its caption had been grabbed.
void DragWindow(HWND window);

}  // namespace winkit
