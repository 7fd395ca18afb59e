#pragma once
// A plain window of ours that holds controls: the "AOL Child" document windows, the toolbar's
// windows and the say-as panel. Its owner says what it does with its messages.

#include <windows.h>

#include <functional>
#include <string>

#include "winkit/Window.h"

namespace practicehost {

// The frame's say-as panel: a class of our own, none of the chat client's.
inline constexpr char kPanelClass[] = "PracticeHostPanel";

class Container final : public winkit::Window {
 public:
  Container() = default;

  // Every part is optional.
  std::function<void(int width, int height)> layout;
  std::function<void(int id, int code)> command;  // WM_COMMAND from a child
  std::function<void(HDC dc, const RECT& client)> paint;
  std::function<HWND()> focus;  // where the keyboard focus goes when the window gets it

  // Child id of parent, of a class of ours; false if it could not be made.
  bool Create(const char* className, HWND parent, int id);
  // An "AOL Child" document window in the MDI client; false if it could not be made.
  bool CreateDocument(HWND mdiClient, const std::string& title, const RECT& bounds);

  // A control by its id; nullptr once the window is gone.
  HWND Item(int id) const { return GetDlgItem(Handle(), id); }
  // Lays out the controls made after the window.
  void Relayout();

 private:
  bool Make(const char* className, const std::string& title, DWORD style, DWORD exStyle,
            const winkit::WindowPlace& place, HWND parent, int id);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Focus();

  bool document_ = false;
};

}  // namespace practicehost
