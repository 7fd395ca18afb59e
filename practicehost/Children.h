#pragma once
// The controls inside the host's windows: made from a list, found by their ids.

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace practicehost {

// A control of ours or of the system's; its parent destroys it.
struct Child {
  int id;
  const char* className;
  const char* text;
  DWORD style;  // beside WS_CHILD | WS_VISIBLE
  DWORD exStyle = 0;
  HFONT font = nullptr;  // none: the control keeps its own (a rich edit's character format)
  bool unicode = false;  // made through CreateWindowExW
};

// Makes the children in this order, each below the siblings it finds; false if one could not be
// made.
bool CreateChildren(HWND parent, std::initializer_list<Child> children);

// Icon and static windows keep their font like standard controls do (WM_SETFONT).
void SetFont(HWND window, HFONT font);

// A plain window's text as ANSI bytes, through its own procedure (and any hook).
std::string GetText(HWND window);

// Puts each window right below the one before it, the first on top of its siblings, so that
// FindWindowEx and GetWindow(GW_HWNDNEXT) meet them in this order.
void StackInOrder(const std::vector<HWND>& windows);

}  // namespace practicehost
