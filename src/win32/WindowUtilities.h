#pragma once

#include <windows.h>

namespace win32 {

// Into the topmost band, keeping place and size (and, as SetWindowPos does, activating it).
void MakeTopmost(HWND window);

// Lets the user move the window with the mouse as if its caption had been grabbed.
void DragWindow(HWND window);

}  // namespace win32
