#include "practicehost/Room.h"

#include <richedit.h>

#include <algorithm>
#include <array>
#include <unordered_map>

#include "practicehost/Children.h"
#include "practicehost/Host.h"
#include "practicehost/Protocol.h"
#include "practicehost/RichText.h"
#include "practicehost/Text.h"
#include "winkit/Text.h"

namespace practicehost {
namespace {

enum ChildId { kTranscriptId = 101, kInputId, kMembersId, kIconId, kTitleId };

constexpr int kTitleHeight = 30;
constexpr int kInputHeight = 26;
constexpr int kMembersWidth = 150;
constexpr int kIconWidth = 64;
constexpr int kGap = 6;

constexpr std::array<const char*, 3> kRegulars = {"Marsh Wren", "Tilly Oak", "Bramble Fox"};
constexpr char kInputTarget[] = "input";
// Double-byte chatter in code page 932 (forty times "nihongo no hanashi"), longer than a read's
// slack; other code pages show other characters, one byte each.
std::string Chatter() {
  constexpr int kTimes = 40;
  std::string chatter;
  for (int i = 0; i < kTimes; ++i) {
    chatter += "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x98\x62";
  }
  return chatter;
}
constexpr size_t kLongestWrappedLine = 2000;
constexpr int kTextColumnTwips = 1620;
// EM_SETTARGETDEVICE line widths.
constexpr LPARAM kWrapToWindow = 0;
constexpr LPARAM kNoWrap = 1;

// Senders from outside may hold anything; the transcript shows one line per said line.
std::string OneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n' || c == '\0') {
      c = ' ';
    }
  }
  return line;
}

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

}  // namespace

Room::Room(Host& host, int number) : host_(host), number_(number), name_(RoomName(number)) {
  container_.layout = [this](int width, int height) { Layout(width, height); };
  container_.command = [this](int id, int code) {
    if (id == kIconId && code == BN_CLICKED) {
      SayInput();
    }
  };
  container_.focus = [this] { return Input(); };
}

bool Room::Create(HWND mdiClient, const RECT& bounds) {
  if (!container_.CreateDocument(mdiClient, name_, bounds) ||
      !CreateChildren(container_.Handle(),
                      {{kTranscriptId, kRichClass, "",
                        WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                        WS_EX_CLIENTEDGE},
                       {kInputId, kRichClass, "", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
                       {kMembersId, kListboxClass, "",
                        WS_VSCROLL | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY,
                        WS_EX_CLIENTEDGE, host_.UiFont()},
                       {kIconId, kIconClass, "Send", 0, 0, host_.UiFont()},
                       {kTitleId, kStaticClass, name_.c_str(), 0, 0, host_.TitleFont()}})) {
    return false;
  }
  const HWND transcript = Transcript();
  const Options& options = host_.Settings();
  habits_.strict = options.strictReads;
  habits_.hugeLengthEvery = options.hugeLength;
  if (options.growingReads) {
    habits_.grow = [this] { Say(kRegulars[0], Chatter()); };
  }
  SetReadHabits(transcript, &habits_);
  // WS_HSCROLL alone would turn wrapping off; it is there for when long lines do.
  SendMessageA(transcript, EM_SETTARGETDEVICE, 0, kWrapToWindow);
  // Every line's text starts at one tab stop, and wrapped text hangs under it rather than under
  // the sender's name. New paragraphs take this from the one before.
  PARAFORMAT2 paragraph{};
  paragraph.cbSize = sizeof paragraph;
  paragraph.dwMask = PFM_OFFSET | PFM_TABSTOPS;
  paragraph.dxOffset = kTextColumnTwips;
  paragraph.cTabCount = 1;
  paragraph.rgxTabs[0] = kTextColumnTwips;
  SendMessageA(transcript, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));

  inputHook_.Install(Input(), [this](UINT message, WPARAM wParam, LPARAM lParam) {
    return OnInputMessage(message, wParam, lParam);
  });
  AddMember(host_.ScreenName());
  for (const char* regular : kRegulars) {
    AddMember(regular);
  }
  container_.Relayout();
  // Once laid out: wrapped to no width, every character would take a row.
  if (number_ == 1 && options.historyBytes > 0) {
    AddHistory(options.historyBytes);
  }
  return true;
}

HWND Room::Input() const { return container_.Item(kInputId); }
HWND Room::Transcript() const { return container_.Item(kTranscriptId); }

bool Room::Say(std::string_view sender, std::string_view markup) {
  if (!Transcript()) {
    return false;
  }
  const std::vector<Run> runs = ParseMarkup(markup);
  const std::string plain = PlainText(runs);
  if (plain.empty()) {
    return false;
  }
  const std::string who = OneLine(sender);
  AppendLine(who, runs);
  host_.Log().Said(name_, who, plain, markup);
  AddMember(who);
  return true;
}

std::optional<LRESULT> Room::OnInputMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT: {
      const char* text = lParam ? reinterpret_cast<const char*>(lParam) : "";
      host_.Log().SetText(kInputTarget, name_, text);
      // Replacing the selection takes the text literally; the rich edit's own WM_SETTEXT would
      // read a line starting with "{\rtf" as RTF.
      inputHook_.CallOriginal(EM_SETSEL, 0, -1);
      inputHook_.CallOriginal(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
      // The caret then goes to the start, where a rich edit's own WM_SETTEXT leaves it.
      inputHook_.CallOriginal(EM_SETSEL, 0, 0);
      return TRUE;
    }
    case WM_CHAR:
      host_.Log().Char(kInputTarget, name_, static_cast<unsigned>(wParam));
      if (wParam == '\r') {
        SayInput();
        return 0;
      }
      return std::nullopt;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        return 0;  // Enter says the line when its WM_CHAR arrives
      }
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

void Room::SayInput() {
  const HWND input = Input();
  if (!input) {
    return;
  }
  const std::string markup = winkit::ToAnsi(GetRichText(input));
  if (markup.empty()) {
    return;
  }
  Say(host_.ScreenName(), markup);
  inputHook_.CallOriginal(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
}

void Room::AppendLine(std::string_view sender, const std::vector<Run>& runs) {
  const HWND transcript = Transcript();
  const size_t length = sender.size() + PlainText(runs).size();
  if (wrapping_ && length > kLongestWrappedLine) {
    // The rich edit takes seconds to wrap a paragraph of many thousand characters, and again
    // whenever one is added after it: from here on the transcript scrolls sideways instead.
    SendMessageA(transcript, EM_SETTARGETDEVICE, 0, kNoWrap);
    wrapping_ = false;
  }
  MoveCaretToEnd();
  StreamIn(transcript, LineRtf(sender, runs, hasLines_), SF_RTF | SFF_SELECTION);
  hasLines_ = true;
  Trim();

  MoveCaretToEnd();
  SendMessageA(transcript, EM_SCROLLCARET, 0, 0);
  SendMessageA(transcript, WM_VSCROLL, SB_BOTTOM, 0);
  SendMessageA(transcript, WM_HSCROLL, SB_LEFT, 0);
}

void Room::Trim() {
  const Options& options = host_.Settings();
  if (options.capLines <= 0 && options.capChars <= 0) {
    return;
  }
  const HWND transcript = Transcript();
  const std::wstring text = GetRichText(transcript);
  size_t cut = 0;
  if (options.capLines > 0) {
    auto lines = static_cast<size_t>(std::count(text.begin(), text.end(), L'\r')) + 1;
    for (; lines > static_cast<size_t>(options.capLines); --lines) {
      cut = text.find(L'\r', cut) + 1;
    }
  }
  const auto capChars = static_cast<size_t>(options.capChars);
  if (capChars > 0 && text.size() - cut > capChars) {
    cut = text.size() - capChars;
    if (IS_LOW_SURROGATE(text[cut])) {
      ++cut;  // never half a character
    }
  }
  if (cut == 0) {
    return;
  }
  // Streamed, not replaced: a read-only rich edit may refuse EM_REPLACESEL.
  const CHARRANGE top{0, static_cast<LONG>(cut)};
  SendMessageA(transcript, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&top));
  StreamIn(transcript, "", SF_TEXT | SFF_SELECTION);
}

void Room::MoveCaretToEnd() {
  const HWND transcript = Transcript();
  GETTEXTLENGTHEX textLength{GTL_NUMCHARS, kUtf16CodePage};
  const auto end = static_cast<LONG>(
      SendMessageA(transcript, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&textLength), 0));
  const CHARRANGE caret{end, end};
  SendMessageA(transcript, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
}

void Room::AddHistory(int bytes) {
  std::string history;
  for (int i = 0; history.size() < static_cast<size_t>(bytes); ++i) {
    history += std::string(i > 0 ? "\r\n" : "") + kRegulars[i % kRegulars.size()] + ":\tline " +
               std::to_string(i) + ", said earlier in a long day in the room";
  }
  // The system's rich edit takes a time that grows with the square of the lines streamed in at
  // once, so the history goes in pieces of whole lines, one after the other.
  constexpr size_t kPieceBytes = 8000;
  for (size_t at = 0; at < history.size();) {
    const size_t cut = history.find('\n', std::min(history.size(), at + kPieceBytes));
    const size_t end = cut == std::string::npos ? history.size() : cut + 1;
    MoveCaretToEnd();
    StreamIn(Transcript(), std::string_view(history).substr(at, end - at), SF_TEXT | SFF_SELECTION);
    at = end;
  }
  hasLines_ = true;
}

void Room::AddMember(std::string_view name) {
  const HWND members = container_.Item(kMembersId);
  if (!members) {
    return;
  }
  const std::string entry(name);
  if (SendMessageA(members, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(entry.c_str())) != LB_ERR) {
    return;
  }
  SendMessageA(members, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

void Room::Layout(int width, int height) {
  const int listTop = kTitleHeight;
  const int inputTop = height - kInputHeight - kGap;
  const int listHeight = inputTop - kGap - listTop;
  const int transcriptWidth = width - kMembersWidth - 3 * kGap;
  const auto place = [this](int id, int left, int top, int placeWidth, int placeHeight) {
    MoveWindow(container_.Item(id), left, top, placeWidth, placeHeight, TRUE);
  };
  place(kTitleId, 0, 0, width, kTitleHeight);
  place(kTranscriptId, kGap, listTop, transcriptWidth, listHeight);
  place(kMembersId, width - kMembersWidth - kGap, listTop, kMembersWidth, listHeight);
  place(kInputId, kGap, inputTop, width - kIconWidth - 3 * kGap, kInputHeight);
  place(kIconId, width - kIconWidth - kGap, inputTop, kIconWidth, kInputHeight);
}

}  // namespace practicehost
