#pragma once
// RICHCNTL, the chat client's rich edit: the system's rich edit under the client's class name,
// in the transcript's face from its creation on, with no length limit worth the name.

#include <windows.h>

#include <functional>
#include <string>

namespace practicehost {

class WindowClasses;

inline constexpr char kRichTextFace[] = "Arial";
inline constexpr int kRichTextPoints = 10;
// The code page that makes EM_GETTEXTEX and EM_GETTEXTLENGTHEX count in UTF-16.
inline constexpr UINT kUtf16CodePage = 1200;

// False, with a reason, if the system's rich edit is not available.
bool AddRichTextClass(WindowClasses& classes, HINSTANCE instance, std::string& error);

// A rich edit's text in UTF-16, the unit its character positions count; paragraphs end in "\r"
// or, with crlf, in "\r\n" as WM_GETTEXT gives them. (Its WM_GETTEXTLENGTH counts characters,
// fewer than the bytes of double-byte text, so an ANSI read sized by it comes back short.)
std::wstring GetRichText(HWND rich, bool crlf = false);

// How a transcript answers reads beyond the system's rich edit, as the options ask.
struct ReadHabits {
  // WM_GETTEXT into a buffer too small for all of the text copies nothing and returns 0, as
  // current rich edits do; else the copy ends before the first character that does not fit
  // whole, as older ones do (never half a double-byte character).
  bool strict = false;
  // Every this many-th WM_GETTEXTLENGTH answers kHugeLength; 0: never.
  int hugeLengthEvery = 0;
  // Called between a WM_GETTEXTLENGTH and the next WM_GETTEXT, to make the text grow there.
  std::function<void()> grow;
  int lengthsAsked = 0;
  bool growing = false;
};

inline constexpr LRESULT kHugeLength = 0x40000000;

// From now on the rich edit reads as habits says; habits must outlive the window.
void SetReadHabits(HWND rich, ReadHabits* habits);

}  // namespace practicehost
