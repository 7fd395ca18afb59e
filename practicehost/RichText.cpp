#include "practicehost/RichText.h"

#include <richedit.h>

#include <algorithm>
#include <iterator>
#include <string_view>
#include <unordered_map>

#include "winkit/Text.h"

namespace practicehost {
namespace {

// Rich edits otherwise stop at 32K characters; Zibbet's lines are ~21 bytes of markup a letter.
constexpr LPARAM kRichTextLimit = LPARAM{64} * 1024 * 1024;
constexpr LONG kTwipsPerPoint = 20;
constexpr size_t kLongestWrappedLine = 2000;
constexpr int kTextColumnTwips = 1620;
// EM_SETTARGETDEVICE line widths.
constexpr LPARAM kWrapToWindow = 0;
constexpr LPARAM kNoWrap = 1;

void AppendRtfText(std::string& rtf, std::string_view ansi) {
  constexpr wchar_t kFirstPrintable = 0x20;
  constexpr wchar_t kLastAscii = 0x7E;
  for (const wchar_t c : winkit::WideFromAnsi(ansi)) {
    if (c == L'\\' || c == L'{' || c == L'}') {
      rtf.push_back('\\');
      rtf.push_back(static_cast<char>(c));
    } else if (c == L'\t') {
      rtf += "\\tab ";
    } else if (c < kFirstPrintable || c > kLastAscii) {
      // \u takes a signed 16-bit number; '?' is the fallback readers without Unicode show.
      rtf += "\\u" + std::to_string(static_cast<short>(c)) + "?";
    } else {
      rtf.push_back(static_cast<char>(c));
    }
  }
}

std::string ColorEntry(Color color) {
  return "\\red" + std::to_string(color & 0xFF) + "\\green" + std::to_string((color >> 8) & 0xFF) +
         "\\blue" + std::to_string((color >> 16) & 0xFF) + ";";
}

// One transcript line as rich text: the sender's name in bold, each run in its colour. One
// stream-in lays the line out once; formatting it piece by piece afterwards lays out the whole
// paragraph again for every piece, which a line of thousands of colour tags cannot afford.
std::string LineRtf(std::string_view sender, const std::vector<Run>& runs, bool afterLine) {
  // Colour table entries by colour; \cf1 is the default text colour.
  std::unordered_map<Color, size_t> entries{{kDefaultTextColor, 1}};
  std::string table = "{\\colortbl;" + ColorEntry(kDefaultTextColor);
  std::string text;
  for (const Run& run : runs) {
    const auto [entry, added] = entries.try_emplace(run.color, entries.size() + 1);
    if (added) {
      table += ColorEntry(run.color);
    }
    text += "\\cf" + std::to_string(entry->second) + " ";
    AppendRtfText(text, run.text);
  }
  std::string rtf = R"({\rtf1\ansi\deff0{\fonttbl{\f0\fswiss )" + std::string(kRichTextFace) +
                    ";}}" + table + "}";
  if (afterLine) {
    rtf += "\\par";
  }
  rtf += "\\f0\\fs" + std::to_string(2 * kRichTextPoints) + "\\cf1\\b ";
  AppendRtfText(rtf, std::string(sender) + ":");
  rtf += "\\b0\\tab " + text + "}";
  return rtf;
}

DWORD CALLBACK ReadString(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  auto* source = reinterpret_cast<std::string_view*>(cookie);
  const size_t count = std::min(source->size(), static_cast<size_t>(size));
  std::copy_n(source->data(), count, buffer);
  source->remove_prefix(count);
  *done = static_cast<LONG>(count);
  return 0;
}

// Replaces the rich edit's selection with what text holds in format.
void StreamIn(HWND rich, std::string_view text, WPARAM format) {
  EDITSTREAM stream{};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&text);
  stream.pfnCallback = ReadString;
  SendMessageA(rich, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
}

// The transcript's face and size, in black, for the whole text and what is added to it.
template <typename Format, typename Face>
void SetTextFormat(HWND rich, const Face& face) {
  Format format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_BOLD;
  format.yHeight = kRichTextPoints * kTwipsPerPoint;
  format.crTextColor = RGB(0, 0, 0);  // explicit black, not the automatic colour
  std::copy_n(face.c_str(), std::min(face.size() + 1, std::size(format.szFaceName)),
              format.szFaceName);
  SendMessageA(rich, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  SendMessageA(rich, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
}

}  // namespace

void SetUpRichEdit(HWND rich) {
  SendMessageA(rich, EM_EXLIMITTEXT, 0, kRichTextLimit);
  SendMessageA(rich, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(RGB(0xFF, 0xFF, 0xFF)));
  // In the window's own character set, which every rich edit takes.
  if (IsWindowUnicode(rich)) {
    SetTextFormat<CHARFORMAT2W>(rich, winkit::WideFromAnsi(kRichTextFace));
  } else {
    SetTextFormat<CHARFORMAT2A>(rich, std::string(kRichTextFace));
  }
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

DWORD RichTranscript::Style() const {
  // WS_HSCROLL is there for when long lines stop wrapping.
  return WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL;
}

void RichTranscript::Prepare() {
  // WS_HSCROLL alone would turn wrapping off.
  SendMessageA(Window(), EM_SETTARGETDEVICE, 0, kWrapToWindow);
  // Every line's text starts at one tab stop, and wrapped text hangs under it rather than under
  // the sender's name. New paragraphs take this from the one before.
  PARAFORMAT2 paragraph{};
  paragraph.cbSize = sizeof paragraph;
  paragraph.dwMask = PFM_OFFSET | PFM_TABSTOPS;
  paragraph.dxOffset = kTextColumnTwips;
  paragraph.cTabCount = 1;
  paragraph.rgxTabs[0] = kTextColumnTwips;
  SendMessageA(Window(), EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));
}

void RichTranscript::AppendLine(std::string_view sender, const std::vector<Run>& runs) {
  const size_t length = sender.size() + PlainText(runs).size();
  if (wrapping_ && length > kLongestWrappedLine) {
    // The rich edit takes seconds to wrap a paragraph of many thousand characters, and again
    // whenever one is added after it: from here on the transcript scrolls sideways instead.
    SendMessageA(Window(), EM_SETTARGETDEVICE, 0, kNoWrap);
    wrapping_ = false;
  }
  MoveCaretToEnd();
  StreamIn(Window(), LineRtf(sender, runs, hasLines_), SF_RTF | SFF_SELECTION);
  hasLines_ = true;
}

void RichTranscript::AppendText(std::string_view text) {
  MoveCaretToEnd();
  StreamIn(Window(), text, SF_TEXT | SFF_SELECTION);
  hasLines_ = true;
}

size_t RichTranscript::LengthBound() const {
  GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_USECRLF, kUtf16CodePage};
  const auto count =
      SendMessageA(Window(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
  return static_cast<size_t>(std::max<LRESULT>(count, 0));
}

void RichTranscript::CutTop(size_t count) {
  // Streamed, not replaced: a read-only rich edit may refuse EM_REPLACESEL. Its positions count a
  // paragraph's end as one.
  const CHARRANGE top{0, static_cast<LONG>(count)};
  SendMessageA(Window(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&top));
  StreamIn(Window(), "", SF_TEXT | SFF_SELECTION);
}

void RichTranscript::MoveCaretToEnd() {
  GETTEXTLENGTHEX textLength{GTL_NUMCHARS, kUtf16CodePage};
  const auto end = static_cast<LONG>(
      SendMessageA(Window(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&textLength), 0));
  const CHARRANGE caret{end, end};
  SendMessageA(Window(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
}

}  // namespace practicehost
