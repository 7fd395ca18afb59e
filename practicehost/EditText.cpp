#include "practicehost/EditText.h"

#include <algorithm>

#include "practicehost/Drawing.h"
#include "practicehost/RichText.h"
#include "winkit/Text.h"

namespace practicehost {
namespace {

// The rich edit kinds' face and size (10 points, 13 pixels at 96 dpi), for the same look.
constexpr int kEditFontHeight = -13;
// A multi-line edit control's longest text. (Under Wine, a limit of 0 leaves the first one, 30000.)
constexpr WPARAM kNoTextLimit = 0x7FFFFFFE;

bool IsUnicode(HWND edit) { return IsWindowUnicode(edit) != FALSE; }

// The text in the window's own character set, past the read habits.
template <typename Char>
std::basic_string<Char> OwnText(HWND edit) {
  // Room for two bytes a character, in case an ANSI window counts characters.
  constexpr size_t kUnitsPerCounted = sizeof(Char) == 1 ? 2 : 1;
  const auto length =
      static_cast<size_t>(std::max<LRESULT>(CallControl(edit, WM_GETTEXTLENGTH, 0, 0), 0));
  std::basic_string<Char> text(length * kUnitsPerCounted + 1, Char{});
  const LRESULT copied = CallControl(edit, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                     reinterpret_cast<LPARAM>(text.data()));
  text.resize(std::min(static_cast<size_t>(std::max<LRESULT>(copied, 0)), text.size() - 1));
  return text;
}

// message with text, converted to the window's character set, as its lParam.
void SendText(HWND edit, UINT message, WPARAM wParam, std::wstring_view text) {
  if (IsUnicode(edit)) {
    const std::wstring wide(text);
    CallControl(edit, message, wParam, reinterpret_cast<LPARAM>(wide.c_str()));
  } else {
    const std::string ansi = winkit::ToAnsi(text);
    CallControl(edit, message, wParam, reinterpret_cast<LPARAM>(ansi.c_str()));
  }
}

}  // namespace

void SetUpEdit(HWND edit) {
  static const winkit::UniqueFont font = MakeFont(kRichTextFace, kEditFontHeight, FW_NORMAL);
  CallControl(edit, EM_SETLIMITTEXT, kNoTextLimit, 0);
  CallControl(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
}

std::wstring GetEditText(HWND edit) {
  return IsUnicode(edit) ? OwnText<wchar_t>(edit) : winkit::WideFromAnsi(OwnText<char>(edit));
}

DWORD EditTranscript::Style() const {
  // Word-wrapped: no ES_AUTOHSCROLL, no WS_HSCROLL.
  return WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL;
}

void EditTranscript::AppendLine(std::string_view sender, const std::vector<Run>& runs) {
  AppendText((hasLines_ ? "\r\n" : "") + std::string(sender) + ":\t" + PlainText(runs));
}

void EditTranscript::AppendText(std::string_view text) {
  MoveCaretToEnd();
  SendText(Window(), EM_REPLACESEL, FALSE, winkit::WideFromAnsi(text));
  hasLines_ = true;
}

size_t EditTranscript::LengthBound() const {
  // An ANSI EDIT counts bytes, at least one a character.
  return static_cast<size_t>(std::max<LRESULT>(CallControl(Window(), WM_GETTEXTLENGTH, 0, 0), 0));
}

void EditTranscript::CutTop(size_t count) {
  // The control holds CR LF for a line break, which counts one here.
  const std::wstring text = Text();
  size_t at = 0;
  for (size_t counted = 0; at < text.size() && counted < count; ++at) {
    counted += text[at] == L'\n' ? 0 : 1;
  }
  if (at < text.size() && text[at] == L'\n') {
    ++at;  // never between CR and LF
  }
  // Set anew rather than replaced by position: an ANSI EDIT may count its positions in bytes.
  SendText(Window(), WM_SETTEXT, 0, std::wstring_view(text).substr(at));
}

void EditTranscript::MoveCaretToEnd() {
  // At or past the end; the control keeps positions within its text.
  const LRESULT end = CallControl(Window(), WM_GETTEXTLENGTH, 0, 0);
  CallControl(Window(), EM_SETSEL, static_cast<WPARAM>(end), end);
}

}  // namespace practicehost
