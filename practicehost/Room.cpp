#include "practicehost/Room.h"

#include <algorithm>
#include <array>

#include "practicehost/Children.h"
#include "practicehost/Host.h"
#include "practicehost/Protocol.h"
#include "practicehost/Scale.h"
#include "winkit/Text.h"

namespace practicehost {
namespace {

enum ChildId { kTranscriptId = 101, kInputId, kMembersId, kIconId, kTitleId };

// In 96-dpi pixels.
constexpr int kTitleHeight = 30;
constexpr int kInputHeight = 26;
constexpr int kMembersWidth = 150;
constexpr int kIconWidth = 64;
constexpr int kGap = 6;

constexpr std::array<const char*, 3> kRegulars = {"Marsh Wren", "Tilly Oak", "Bramble Fox"};
constexpr char kInputTarget[] = "input";
constexpr wchar_t kNoText[] = L"";  // empty in either character set
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

}  // namespace

Room::Room(Host& host, int number)
    : host_(host),
      number_(number),
      name_(RoomName(number)),
      transcript_(Transcript::Make(host.Settings().transcript)) {
  container_.layout = [this](int width, int height) { Layout(width, height); };
  container_.command = [this](int id, int code) {
    if (id == kIconId && code == BN_CLICKED) {
      SayInput();
    }
  };
  container_.focus = [this] { return Input(); };
}

bool Room::Create(HWND mdiClient, const RECT& bounds) {
  const Options& options = host_.Settings();
  const bool unicode = IsUnicodeKind(options.transcript);
  if (!container_.CreateDocument(mdiClient, name_, bounds) ||
      !CreateChildren(container_.Handle(),
                      {{kTranscriptId, kRichClass, "", transcript_->Style(), WS_EX_CLIENTEDGE,
                        nullptr, unicode},
                       {kInputId, kRichClass, "", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                        nullptr, unicode},
                       {kMembersId, kListboxClass, "",
                        WS_VSCROLL | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY,
                        WS_EX_CLIENTEDGE, host_.UiFont()},
                       {kIconId, kIconClass, "Send", 0, 0, host_.UiFont()},
                       {kTitleId, kStaticClass, name_.c_str(), 0, 0, host_.TitleFont()}})) {
    return false;
  }
  habits_.strict = options.strictReads;
  habits_.hugeLengthEvery = options.hugeLength;
  if (options.growingReads) {
    habits_.grow = [this] { Say(kRegulars[0], Chatter()); };
  }
  transcript_->Attach(TranscriptWindow(), habits_);

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
HWND Room::TranscriptWindow() const { return container_.Item(kTranscriptId); }

bool Room::Say(std::string_view sender, std::string_view markup) {
  if (!TranscriptWindow()) {
    return false;
  }
  const std::vector<Run> runs = ParseMarkup(markup);
  const std::string plain = PlainText(runs);
  if (plain.empty()) {
    return false;
  }
  const std::string who = OneLine(sender);
  transcript_->AppendLine(who, runs);
  Trim();
  transcript_->ScrollToEnd();
  host_.Log().Said(name_, who, plain, markup);
  AddMember(who);
  return true;
}

std::optional<LRESULT> Room::OnInputMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT: {
      // A Unicode box gets the text in UTF-16, whoever sent it; the log takes ANSI bytes.
      const LPARAM text = lParam ? lParam : reinterpret_cast<LPARAM>(kNoText);
      host_.Log().SetText(kInputTarget, name_,
                          IsWindowUnicode(Input())
                              ? winkit::ToAnsi(reinterpret_cast<const wchar_t*>(text))
                              : std::string(reinterpret_cast<const char*>(text)));
      // Replacing the selection takes the text literally; the rich edit's own WM_SETTEXT would
      // read a line starting with "{\rtf" as RTF.
      inputHook_.CallOriginal(EM_SETSEL, 0, -1);
      inputHook_.CallOriginal(EM_REPLACESEL, FALSE, text);
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
  const std::string markup = winkit::ToAnsi(ControlText(input));
  if (markup.empty()) {
    return;
  }
  Say(host_.ScreenName(), markup);
  inputHook_.CallOriginal(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kNoText));
}

void Room::Trim() {
  const Options& options = host_.Settings();
  if (options.capLines <= 0 && options.capChars <= 0) {
    return;
  }
  // A line break counts one: CR LF as CR.
  std::wstring text = transcript_->Text();
  std::erase(text, L'\n');
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
  if (cut > 0) {
    transcript_->CutTop(cut);
  }
}

void Room::AddHistory(int bytes) {
  std::string history;
  for (int i = 0; history.size() < static_cast<size_t>(bytes); ++i) {
    history += std::string(i > 0 ? "\r\n" : "") + kRegulars[i % kRegulars.size()] + ":\tline " +
               std::to_string(i) + ", said earlier in a long day in the room";
  }
  // The system's rich edit takes a time that grows with the square of the lines put in at once,
  // so the history goes in pieces of whole lines, one after the other.
  constexpr size_t kPieceBytes = 8000;
  for (size_t at = 0; at < history.size();) {
    const size_t cut = history.find('\n', std::min(history.size(), at + kPieceBytes));
    const size_t end = cut == std::string::npos ? history.size() : cut + 1;
    transcript_->AppendText(std::string_view(history).substr(at, end - at));
    at = end;
  }
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
  const int gap = Px(kGap);
  const int titleHeight = Px(kTitleHeight);
  const int inputHeight = Px(kInputHeight);
  const int membersWidth = Px(kMembersWidth);
  const int iconWidth = Px(kIconWidth);
  const int listTop = titleHeight;
  const int inputTop = height - inputHeight - gap;
  const int listHeight = inputTop - gap - listTop;
  const int transcriptWidth = width - membersWidth - 3 * gap;
  const auto place = [this](int id, int left, int top, int placeWidth, int placeHeight) {
    MoveWindow(container_.Item(id), left, top, placeWidth, placeHeight, TRUE);
  };
  place(kTitleId, 0, 0, width, titleHeight);
  place(kTranscriptId, gap, listTop, transcriptWidth, listHeight);
  place(kMembersId, width - membersWidth - gap, listTop, membersWidth, listHeight);
  place(kInputId, gap, inputTop, width - iconWidth - 3 * gap, inputHeight);
  place(kIconId, width - iconWidth - gap, inputTop, iconWidth, inputHeight);
}

}  // namespace practicehost
