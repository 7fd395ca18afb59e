#pragma once
// RICHCNTL, the chat client's rich edit: the system's rich edit under the client's class name,
// in the transcript's face from its creation on, with no length limit worth the name.

#include <windows.h>

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

// From now on the rich edit answers WM_GETTEXT into a buffer too small for all of its text with
// nothing copied and 0, as current rich edits do (older ones copy what fits).
void MakeReadsStrict(HWND rich);

}  // namespace practicehost
