#include "practicehost/RichText.h"

#include <richedit.h>

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

#include "practicehost/Classes.h"
#include "practicehost/Protocol.h"
#include "winkit/Text.h"
#include "winkit/Window.h"

namespace practicehost {
namespace {

constexpr char kReadHabitsProperty[] = "PracticeHost.ReadHabits";
constexpr char kRichEditLibrary[] = "riched20.dll";
constexpr char kRichEditClass[] = "RichEdit20A";
// Rich edits otherwise stop at 32K characters; Zibbet's lines are ~21 bytes of markup a letter.
constexpr LPARAM kRichTextLimit = LPARAM{64} * 1024 * 1024;
constexpr LONG kTwipsPerPoint = 20;

// The system's rich edit procedure, which RICHCNTL passes messages on to; set at registration.
WNDPROC g_richEditProc = nullptr;

// A WM_GETTEXT into a buffer of `size` bytes (the NUL included) that does not take all of the
// text: nothing, or what fits of whole characters. Nothing when the text fits.
std::optional<LRESULT> ShortCopy(HWND rich, const ReadHabits& habits, WPARAM size, LPARAM buffer) {
  // At most two bytes a character: most buffers are seen to fit without copying the text.
  GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_USECRLF, kUtf16CodePage};
  const auto count = SendMessageA(rich, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
  if (2 * static_cast<WPARAM>(std::max<LRESULT>(count, 0)) < size) {
    return std::nullopt;
  }
  const std::wstring text = GetRichText(rich, true);
  if (winkit::ToAnsi(text).size() < size) {
    return std::nullopt;
  }
  std::string copy;
  for (const wchar_t c : text) {
    const std::string bytes = winkit::ToAnsi(std::wstring_view(&c, 1));
    if (habits.strict || copy.size() + bytes.size() >= size) {
      break;
    }
    copy += bytes;
  }
  if (size > 0) {
    std::copy_n(copy.c_str(), copy.size() + 1, reinterpret_cast<char*>(buffer));
  }
  return static_cast<LRESULT>(habits.strict ? 0 : copy.size());
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
  auto* habits = static_cast<ReadHabits*>(GetPropA(rich, kReadHabitsProperty));
  if (habits && message == WM_GETTEXTLENGTH) {
    habits->growing = static_cast<bool>(habits->grow);
    if (habits->hugeLengthEvery > 0 && ++habits->lengthsAsked % habits->hugeLengthEvery == 0) {
      return kHugeLength;
    }
  }
  if (habits && message == WM_GETTEXT) {
    if (std::exchange(habits->growing, false)) {
      habits->grow();
    }
    if (const auto copied = ShortCopy(rich, *habits, wParam, lParam)) {
      return *copied;
    }
  }
  if (message == WM_NCDESTROY) {
    RemovePropA(rich, kReadHabitsProperty);
  }
  const LRESULT result = CallWindowProcA(g_richEditProc, rich, message, wParam, lParam);
  if (message == WM_CREATE && result == 0) {
    SetUp(rich);
  }
  return result;
}

}  // namespace

bool AddRichTextClass(WindowClasses& classes, HINSTANCE instance, std::string& error) {
  return classes.AddSuperclass(kRichEditLibrary, kRichEditClass, kRichClass,
                               winkit::Guarded<&RichTextProc>, g_richEditProc, instance, error);
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

void SetReadHabits(HWND rich, ReadHabits* habits) { SetPropA(rich, kReadHabitsProperty, habits); }

}  // namespace practicehost
