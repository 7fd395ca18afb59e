#pragma once
// The window classes of the host's windows and the plumbing that lets their owners (rooms, the
// frame) handle messages without a window procedure each.

#include <windows.h>

#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "winkit/Handles.h"

namespace practicehost {

// The frame's say-as panel: a class of our own, none of the chat client's.
inline constexpr char kPanelClass[] = "PracticeHostPanel";

// Sees a control's messages before the control does; a value returned ends the message there.
using MessageHook = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

// For RICHCNTL windows and system Edit controls. The hook must outlive the window.
void InstallHook(HWND control, MessageHook* hook);
// The control's own handling of a message, bypassing its hook.
LRESULT CallOriginal(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

// What a plain container window (the "AOL Child" document windows, the toolbar's windows, the
// say-as panel) does with its messages. Every part is optional. Must outlive the window.
struct Container {
  std::function<void(int width, int height)> layout;
  std::function<void(int id, int code)> command;  // WM_COMMAND from a child
  std::function<void(HDC dc, const RECT& client)> paint;
  std::function<HWND()> focus;  // where the keyboard focus goes when the window gets it
  std::function<void()> destroyed;
};

void AttachContainer(HWND window, Container* container);

// Registers every class except the frame's. Kept alive until all windows are gone.
class WindowClasses {
 public:
  WindowClasses() = default;
  WindowClasses(const WindowClasses&) = delete;
  WindowClasses& operator=(const WindowClasses&) = delete;

  // False, with a reason, if a class could not be registered.
  bool Register(HINSTANCE instance, std::string& error);
  bool Add(const WNDCLASSEXA& windowClass, std::string& error);

 private:
  // The system's rich edit, whose class the transcript and input box are made of.
  bool AddSuperclass(HINSTANCE source, const char* base, const char* name, WNDPROC proc,
                     WNDPROC& baseProc, HINSTANCE instance, std::string& error);

  winkit::UniqueModule richEdit_;
  // Each name before its registration, which unregisters the class by it.
  std::list<std::pair<std::wstring, std::optional<winkit::ClassRegistration>>> classes_;
};

// Icon and static windows keep their font like standard controls do (WM_SETFONT).
void SetFont(HWND window, HFONT font);

// A child window of ours or of the system's; its parent destroys it.
HWND CreateChild(const char* className, const char* text, DWORD style, HWND parent, int id,
                 DWORD exStyle = 0);

inline constexpr char kRichTextFace[] = "Arial";
inline constexpr int kRichTextPoints = 10;

// A RICHCNTL window: plain text in the transcript's face, no length limit worth the name.
HWND CreateRichText(HWND parent, int id, DWORD style);

// A plain window's text as ANSI bytes, through its own procedure (and any hook).
std::string GetText(HWND window);

// A rich edit's text in UTF-16, the unit its character positions count; paragraphs end in "\r"
// or, with crlf, in "\r\n" as WM_GETTEXT gives them. (Its WM_GETTEXTLENGTH counts characters,
// fewer than the bytes of double-byte text, so an ANSI read sized by it comes back short.)
std::wstring GetRichText(HWND rich, bool crlf = false);

// From now on the rich edit answers WM_GETTEXT into a buffer too small for all of its text with
// nothing copied and 0, as current rich edits do (older ones copy what fits).
void MakeReadsStrict(HWND rich);

// Puts each window right below the one before it, the first on top of its siblings, so that
// FindWindowEx and GetWindow(GW_HWNDNEXT) meet them in this order.
void StackInOrder(const std::vector<HWND>& windows);

// An "AOL Child" document window in the MDI client; nullptr if it could not be made.
HWND CreateDocumentWindow(HWND mdiClient, const std::string& title, const RECT& bounds);

}  // namespace practicehost
