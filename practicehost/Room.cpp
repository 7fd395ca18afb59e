#include "practicehost/Room.h"

#include <richedit.h>

#include <algorithm>
#include <array>
#include <unordered_map>

#include "practicehost/Host.h"
#include "practicehost/Protocol.h"
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
constexpr UINT kUtf16CodePage = 1200;
constexpr size_t kLongestWrappedLine = 2000;
constexpr int kTextColumnTwips = 1620;
// EM_SETTARGETDEVICE line widths.
constexpr LPARAM kWrapToWindow = 0;
constexpr LPARAM kNoWrap = 1;

// Senders from outside may hold anything; the transcript shows one line per said line.
std::string OneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
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
    if (added) table += ColorEntry(run.color);
    text += "\\cf" + std::to_string(entry->second) + " ";
    AppendRtfText(text, run.text);
  }
  std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss " + std::string(kRichTextFace) +
                    ";}}" + table + "}";
  if (afterLine) rtf += "\\par";
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

Room::Room(Host& host, int number) : host_(host), name_(RoomName(number)) {
  container_.layout = [this](int width, int height) { Layout(width, height); };
  container_.command = [this](int id, int code) {
    if (id == kIconId && code == BN_CLICKED) SayInput();
  };
  container_.focus = [this] { return input_; };
  container_.destroyed = [this] { Forget(); };
  inputHook_ = [this](HWND input, UINT message, WPARAM wParam, LPARAM lParam) {
    return OnInputMessage(input, message, wParam, lParam);
  };
}

HWND Room::Create(HWND mdiClient, const RECT& bounds) {
  window_ = CreateDocumentWindow(mdiClient, name_, bounds);
  if (!window_) {
    return nullptr;
  }

  transcript_ =
      CreateRichText(window_, kTranscriptId,
                     WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL);
  input_ = CreateRichText(window_, kInputId, WS_TABSTOP | ES_AUTOHSCROLL);
  members_ = CreateChild(kListboxClass, "",
                         WS_VSCROLL | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, window_,
                         kMembersId, WS_EX_CLIENTEDGE);
  icon_ = CreateChild(kIconClass, "Send", 0, window_, kIconId);
  title_ = CreateChild(kStaticClass, name_.c_str(), 0, window_, kTitleId);
  if (!transcript_ || !input_ || !members_ || !icon_ || !title_) {
    return nullptr;
  }
  if (host_.Settings().strictReads) {
    MakeReadsStrict(transcript_);
  }
  // WS_HSCROLL alone would turn wrapping off; it is there for when long lines do.
  SendMessageA(transcript_, EM_SETTARGETDEVICE, 0, kWrapToWindow);
  // Every line's text starts at one tab stop, and wrapped text hangs under it rather than under
  // the sender's name. New paragraphs take this from the one before.
  PARAFORMAT2 paragraph{};
  paragraph.cbSize = sizeof paragraph;
  paragraph.dwMask = PFM_OFFSET | PFM_TABSTOPS;
  paragraph.dxOffset = kTextColumnTwips;
  paragraph.cTabCount = 1;
  paragraph.rgxTabs[0] = kTextColumnTwips;
  SendMessageA(transcript_, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));

  // Children go to the bottom of the z-order as they are made; pin the order the chat client has
  // rather than rely on that.
  StackInOrder({transcript_, input_, members_, icon_, title_});
  InstallHook(input_, &inputHook_);
  SetFont(members_, host_.UiFont());
  SetFont(icon_, host_.UiFont());
  SetFont(title_, host_.TitleFont());
  AddMember(host_.ScreenName());
  for (const char* regular : kRegulars) AddMember(regular);
  AttachContainer(window_, &container_);
  return window_;
}

bool Room::Say(std::string_view sender, std::string_view markup) {
  if (!transcript_) {
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

std::optional<LRESULT> Room::OnInputMessage(HWND input, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT: {
      const char* text = lParam ? reinterpret_cast<const char*>(lParam) : "";
      host_.Log().SetText(kInputTarget, name_, text);
      // Replacing the selection takes the text literally; the rich edit's own WM_SETTEXT would
      // read a line starting with "{\rtf" as RTF.
      CallOriginal(input, EM_SETSEL, 0, -1);
      CallOriginal(input, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
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
  if (!input_) {
    return;
  }
  const std::string markup = winkit::ToAnsi(GetRichText(input_));
  if (markup.empty()) {
    return;
  }
  Say(host_.ScreenName(), markup);
  CallOriginal(input_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
}

void Room::AppendLine(std::string_view sender, const std::vector<Run>& runs) {
  const size_t length = sender.size() + PlainText(runs).size();
  if (wrapping_ && length > kLongestWrappedLine) {
    // The rich edit takes seconds to wrap a paragraph of many thousand characters, and again
    // whenever one is added after it: from here on the transcript scrolls sideways instead.
    SendMessageA(transcript_, EM_SETTARGETDEVICE, 0, kNoWrap);
    wrapping_ = false;
  }
  MoveCaretToEnd();
  StreamIn(transcript_, LineRtf(sender, runs, hasLines_), SF_RTF | SFF_SELECTION);
  hasLines_ = true;
  Trim();

  MoveCaretToEnd();
  SendMessageA(transcript_, EM_SCROLLCARET, 0, 0);
  SendMessageA(transcript_, WM_VSCROLL, SB_BOTTOM, 0);
  SendMessageA(transcript_, WM_HSCROLL, SB_LEFT, 0);
}

void Room::Trim() {
  const Options& options = host_.Settings();
  if (options.capLines <= 0 && options.capChars <= 0) {
    return;
  }
  const std::wstring text = GetRichText(transcript_);
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
    if (IS_LOW_SURROGATE(text[cut])) ++cut;  // never half a character
  }
  if (cut == 0) {
    return;
  }
  // Streamed, not replaced: a read-only rich edit may refuse EM_REPLACESEL.
  const CHARRANGE top{0, static_cast<LONG>(cut)};
  SendMessageA(transcript_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&top));
  StreamIn(transcript_, "", SF_TEXT | SFF_SELECTION);
}

void Room::MoveCaretToEnd() {
  GETTEXTLENGTHEX textLength{GTL_NUMCHARS, kUtf16CodePage};
  const auto end = static_cast<LONG>(
      SendMessageA(transcript_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&textLength), 0));
  const CHARRANGE caret{end, end};
  SendMessageA(transcript_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
}

void Room::AddMember(std::string_view name) {
  if (!members_) {
    return;
  }
  const std::string entry(name);
  if (SendMessageA(members_, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(entry.c_str())) != LB_ERR) {
    return;
  }
  SendMessageA(members_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

void Room::Layout(int width, int height) {
  if (!transcript_) {
    return;
  }
  const int listTop = kTitleHeight;
  const int inputTop = height - kInputHeight - kGap;
  const int listHeight = inputTop - kGap - listTop;
  const int transcriptWidth = width - kMembersWidth - 3 * kGap;
  MoveWindow(title_, 0, 0, width, kTitleHeight, TRUE);
  MoveWindow(transcript_, kGap, listTop, transcriptWidth, listHeight, TRUE);
  MoveWindow(members_, width - kMembersWidth - kGap, listTop, kMembersWidth, listHeight, TRUE);
  MoveWindow(input_, kGap, inputTop, width - kIconWidth - 3 * kGap, kInputHeight, TRUE);
  MoveWindow(icon_, width - kIconWidth - kGap, inputTop, kIconWidth, kInputHeight, TRUE);
}

void Room::Forget() { window_ = transcript_ = input_ = members_ = icon_ = title_ = nullptr; }

}  // namespace practicehost
