#include "practicehost/RichText.h"

#include <richedit.h>

#include <algorithm>

#include "practicehost/Classes.h"
#include "practicehost/Protocol.h"
#include "winkit/Text.h"

namespace practicehost {
namespace {

constexpr char kStrictReadsProperty[] = "PracticeHost.StrictReads";
constexpr char kRichEditLibrary[] = "riched20.dll";
constexpr char kRichEditClass[] = "RichEdit20A";
// Rich edits otherwise stop at 32K characters; Zibbet's lines are ~21 bytes of markup a letter.
constexpr LPARAM kRichTextLimit = LPARAM{64} * 1024 * 1024;
constexpr LONG kTwipsPerPoint = 20;

// The system's rich edit procedure, which RICHCNTL passes messages on to; set at registration.
WNDPROC g_richEditProc = nullptr;

// Whether a WM_GETTEXT of bufferSize bytes (the NUL included) takes all of the text.
bool ReadFits(HWND rich, WPARAM bufferSize) {
  return winkit::ToAnsi(GetRichText(rich, true)).size() < bufferSize;
}

void SetUp(HWND rich) {
  SendMessageA(rich, EM_EXLIMITTEXT, 0, kRichTextLimit);
  SendMessageA(rich, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(RGB(0xFF, 0xFF, 0xFF)));
  CHARFORMAT2A format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_BOLD;
  format.yHeight = kRichTextPoints * kTwipsPerPoint;
  format.crTextColor = RGB(0, 0, 0);  // explicit black, not the automatic colour
  lstrcpynA(format.szFaceName, kRichTextFace, LF_FACESIZE);
  SendMessageA(rich, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  SendMessageA(rich, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
}

LRESULT CALLBACK RichTextProc(HWND rich, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETTEXT && GetPropA(rich, kStrictReadsProperty) && !ReadFits(rich, wParam)) {
    return 0;
  }
  if (message == WM_NCDESTROY) {
    RemovePropA(rich, kStrictReadsProperty);
  }
  const LRESULT result = CallWindowProcA(g_richEditProc, rich, message, wParam, lParam);
  if (message == WM_CREATE && result == 0) {
    SetUp(rich);
  }
  return result;
}

}  // namespace

bool AddRichTextClass(WindowClasses& classes, HINSTANCE instance, std::string& error) {
  return classes.AddSuperclass(kRichEditLibrary, kRichEditClass, kRichClass, RichTextProc,
                               g_richEditProc, instance, error);
}

std::wstring GetRichText(HWND rich, bool crlf) {
  GETTEXTLENGTHEX length{static_cast<DWORD>(crlf ? GTL_USECRLF : GTL_DEFAULT), kUtf16CodePage};
  const auto count = SendMessageA(rich, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
  if (count <= 0) {
    return {};
  }
  std::wstring text(static_cast<size_t>(count) + 1, L'\0');
  GETTEXTEX get{static_cast<DWORD>(text.size() * sizeof(wchar_t)),
                static_cast<DWORD>(crlf ? GT_USECRLF : GT_DEFAULT), kUtf16CodePage, nullptr,
                nullptr};
  const auto copied = SendMessageA(rich, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(std::max<LRESULT>(copied, 0)));
  return text;
}

void MakeReadsStrict(HWND rich) { SetPropA(rich, kStrictReadsProperty, rich); }

}  // namespace practicehost
