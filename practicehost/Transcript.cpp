#include "practicehost/Transcript.h"

#include <algorithm>
#include <array>
#include <optional>
#include <type_traits>
#include <utility>

#include "practicehost/Classes.h"
#include "practicehost/EditText.h"
#include "practicehost/Protocol.h"
#include "practicehost/RichText.h"
#include "winkit/Text.h"
#include "winkit/Window.h"

namespace practicehost {
namespace {

constexpr char kTranscriptProperty[] = "PracticeHost.Transcript";

struct ControlClass {
  const char* library;  // nullptr: user32's own
  const char* name;
  bool unicode;
  void (*setUp)(HWND control);
  std::wstring (*text)(HWND control);
  std::unique_ptr<Transcript> (*make)();
};

template <typename Family>
std::unique_ptr<Transcript> MakeOf() {
  return std::make_unique<Family>();
}

std::wstring RichTextWithCrLf(HWND rich) { return GetRichText(rich, true); }

// By TranscriptKind.
constexpr std::array<ControlClass, kTranscriptKinds.size()> kControlClasses = {{
    {"riched20.dll", "RichEdit20A", false, SetUpRichEdit, RichTextWithCrLf, MakeOf<RichTranscript>},
    {"riched20.dll", "RichEdit20W", true, SetUpRichEdit, RichTextWithCrLf, MakeOf<RichTranscript>},
    {"msftedit.dll", "RICHEDIT50W", true, SetUpRichEdit, RichTextWithCrLf, MakeOf<RichTranscript>},
    {nullptr, "Edit", false, SetUpEdit, GetEditText, MakeOf<EditTranscript>},
    {nullptr, "Edit", true, SetUpEdit, GetEditText, MakeOf<EditTranscript>},
}};

const ControlClass& ClassOf(TranscriptKind kind) {
  return kControlClasses.at(static_cast<size_t>(kind));
}

// The system control's procedure, which RICHCNTL passes messages on to, and the kind's class;
// set at registration (one kind a process).
WNDPROC g_controlProc = nullptr;
const ControlClass* g_class = nullptr;

bool IsUnicode(HWND window) { return IsWindowUnicode(window) != FALSE; }

// One character of text (a surrogate pair is one) in the units of a buffer of Char.
template <typename Char>
std::basic_string<Char> InUnits(std::wstring_view character) {
  if constexpr (std::is_same_v<Char, wchar_t>) {
    return std::wstring(character);
  } else {
    return winkit::ToAnsi(character);
  }
}

// What fits of whole characters of text into a buffer of size units (the NUL included); nothing
// at all when strict.
template <typename Char>
LRESULT CopyWhole(std::wstring_view text, bool strict, size_t size, Char* buffer) {
  std::basic_string<Char> copy;
  for (size_t at = 0; !strict && at < text.size();) {
    const size_t count = IS_HIGH_SURROGATE(text[at]) && at + 1 < text.size() ? 2 : 1;
    const std::basic_string<Char> units = InUnits<Char>(text.substr(at, count));
    if (copy.size() + units.size() >= size) {
      break;
    }
    copy += units;
    at += count;
  }
  if (size > 0) {
    std::copy_n(copy.c_str(), copy.size() + 1, buffer);
  }
  return static_cast<LRESULT>(copy.size());
}

// A WM_GETTEXT into a buffer of size units of the window's character set (wchar_t or bytes, the
// NUL included) that does not take all of the text: nothing, or what fits of whole characters.
// Nothing when the text fits.
std::optional<LRESULT> ShortCopy(HWND window, const Transcript& transcript, bool strict,
                                 WPARAM size, LPARAM buffer) {
  const bool unicode = IsUnicode(window);
  // At most two bytes a character: most buffers are seen to fit without reading the text.
  constexpr size_t kMostBytesPerUnit = 2;
  if (transcript.LengthBound() * (unicode ? 1 : kMostBytesPerUnit) < size) {
    return std::nullopt;
  }
  const std::wstring text = transcript.Text();
  if (unicode ? text.size() < size : winkit::ToAnsi(text).size() < size) {
    return std::nullopt;
  }
  return unicode ? CopyWhole(text, strict, size, reinterpret_cast<wchar_t*>(buffer))
                 : CopyWhole(text, strict, size, reinterpret_cast<char*>(buffer));
}

std::optional<LRESULT> ReadAsHabits(HWND window, const Transcript& transcript, ReadHabits& habits,
                                    UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETTEXTLENGTH) {
    habits.growing = static_cast<bool>(habits.grow);
    if (habits.hugeLengthEvery > 0 && ++habits.lengthsAsked % habits.hugeLengthEvery == 0) {
      return kHugeLength;
    }
  }
  if (message == WM_GETTEXT) {
    if (std::exchange(habits.growing, false)) {
      habits.grow();
    }
    return ShortCopy(window, transcript, habits.strict, wParam, lParam);
  }
  return std::nullopt;
}

LRESULT CALLBACK TranscriptProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (const auto* transcript = static_cast<Transcript*>(GetPropA(window, kTranscriptProperty));
      transcript && transcript->Habits()) {
    if (const std::optional<LRESULT> answer =
            ReadAsHabits(window, *transcript, *transcript->Habits(), message, wParam, lParam)) {
      return *answer;
    }
  }
  if (message == WM_NCDESTROY) {
    RemovePropA(window, kTranscriptProperty);
  }
  const LRESULT result = CallControl(window, message, wParam, lParam);
  // Creation goes on unless the control answers -1; not every control answers 0 otherwise.
  if (message == WM_CREATE && result != -1) {
    g_class->setUp(window);
  }
  return result;
}

}  // namespace

bool AddTranscriptClass(WindowClasses& classes, HINSTANCE instance, TranscriptKind kind,
                        std::string& error) {
  const ControlClass& control = ClassOf(kind);
  g_class = &control;
  return classes.AddSuperclass(control.library, control.name, kRichClass,
                               winkit::Guarded<&TranscriptProc>, g_controlProc, instance, error,
                               control.unicode);
}

LRESULT CallControl(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return IsUnicode(window) ? CallWindowProcW(g_controlProc, window, message, wParam, lParam)
                           : CallWindowProcA(g_controlProc, window, message, wParam, lParam);
}

std::wstring ControlText(HWND window) { return g_class->text(window); }

std::unique_ptr<Transcript> Transcript::Make(TranscriptKind kind) { return ClassOf(kind).make(); }

void Transcript::Attach(HWND window, ReadHabits& habits) {
  window_ = window;
  habits_ = &habits;
  SetPropA(window, kTranscriptProperty, this);
  Prepare();
}

void Transcript::ScrollToEnd() {
  MoveCaretToEnd();
  SendMessageA(window_, EM_SCROLLCARET, 0, 0);
  SendMessageA(window_, WM_VSCROLL, SB_BOTTOM, 0);
  SendMessageA(window_, WM_HSCROLL, SB_LEFT, 0);
}

}  // namespace practicehost
