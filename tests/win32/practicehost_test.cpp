// The practice host, run for real under Wine and driven through its windows the way Zibbet drives
// the chat client's: WM_SETTEXT and WM_CHAR into the boxes, WM_COPYDATA and --say for other
// members, FindWindowEx for the window tree. The host's log tells what arrived.

// clang-format off
#include <windows.h>
#include <richedit.h>
#include <shellapi.h>
// clang-format on

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "practicehost/Markup.h"
#include "practicehost/Options.h"
#include "practicehost/Protocol.h"
#include "practicehost/Text.h"
#include "practicehost/testing/HostProcess.h"

namespace practicehost {

// Readable failures for log entries.
void PrintTo(const LogEntry& entry, std::ostream* out) {
  *out << "{t=" << entry.t << " event=" << entry.event << " target=" << entry.target
       << " room=" << entry.room << " text=" << entry.text << " hex=" << entry.hex
       << " code=" << (entry.code ? std::to_string(*entry.code) : "-") << " sender=" << entry.sender
       << " markup=" << entry.markup << " address=" << entry.address
       << " pid=" << (entry.pid ? std::to_string(*entry.pid) : "-") << "}";
}

void PrintTo(const Run& run, std::ostream* out) {
  *out << "{\"" << run.text << "\" #" << std::hex << run.color << std::dec << "}";
}

namespace {

constexpr int kLogTimeoutMs = 5000;
constexpr DWORD kProgramTimeoutMs = 15000;
constexpr UINT kSendTimeoutMs = 15000;
constexpr long long kYear2020InUnixMs = 1577836800000LL;

constexpr Color kBlack = MakeColor(0, 0, 0);
constexpr Color kRed = MakeColor(0xFF, 0, 0);
constexpr Color kGreen = MakeColor(0, 0xFF, 0);
constexpr Color kBlue = MakeColor(0, 0, 0xFF);
constexpr Color kOrange = MakeColor(0xFF, 0x80, 0);
constexpr Color kOdd = MakeColor(0x12, 0x34, 0x56);

const std::string kLabel = "Kestrel Jay:\t";  // what every line of ours starts with

// ---- Windows seen from outside ----

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TitleOf(HWND window) {
  char title[512] = {};
  GetWindowTextA(window, title, sizeof title);
  return title;
}

// Children in the order FindWindowEx meets them.
std::vector<HWND> Children(HWND parent, const char* className = nullptr) {
  std::vector<HWND> children;
  HWND child = nullptr;
  while ((child = FindWindowExA(parent, child, className, nullptr)) != nullptr) {
    children.push_back(child);
  }
  return children;
}

std::vector<std::string> ChildClasses(HWND parent) {
  std::vector<std::string> classes;
  for (const HWND child : Children(parent)) classes.push_back(ClassOf(child));
  return classes;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  EXPECT_NE(SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                                &result),
            0)
      << "message " << message << " was not answered";
  return static_cast<LRESULT>(result);
}

void SetText(HWND box, const std::string& text) {
  EXPECT_EQ(Send(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())), TRUE);
}

void TypeChar(HWND box, char code) { Send(box, WM_CHAR, static_cast<unsigned char>(code), 0); }

std::string BoxText(HWND box) {
  const LRESULT length = Send(box, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const LRESULT copied = Send(box, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                              reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied));
  return text;
}

// Read as UTF-16: Wine hands a superclassed list box's ANSI LB_GETTEXT back to another process
// unconverted.
std::vector<std::string> ListItems(HWND list) {
  const auto send = [list](UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutW(list, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                                  &result),
              0);
    return static_cast<LRESULT>(result);
  };
  std::vector<std::string> items;
  const LRESULT count = send(LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring item(static_cast<size_t>(send(LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    const LRESULT length = send(LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<size_t>(std::max<LRESULT>(length, 0)));
    items.push_back(WideToAnsi(item));
  }
  return items;
}

std::vector<std::string> Members(const HostProcess& host, int room = 1) {
  return ListItems(FindWindowExA(host.Room(room), nullptr, kListboxClass, nullptr));
}

// ---- The log ----

std::vector<LogEntry> EventsNamed(const std::vector<LogEntry>& log, const std::string& event) {
  std::vector<LogEntry> events;
  for (const LogEntry& entry : log) {
    if (entry.event == event) events.push_back(entry);
  }
  return events;
}

// Everything after the start, without the times.
std::vector<LogEntry> Happenings(const HostProcess& host) {
  std::vector<LogEntry> events;
  for (LogEntry entry : host.ReadLog()) {
    if (entry.event == "ready") continue;
    entry.t = 0;
    events.push_back(entry);
  }
  return events;
}

LogEntry SetTextEvent(const std::string& target, const std::string& room, const std::string& text,
                      const std::string& hex) {
  LogEntry entry;
  entry.event = "settext";
  entry.target = target;
  entry.room = room;
  entry.text = text;
  entry.hex = hex;
  return entry;
}

LogEntry CharEvent(const std::string& target, const std::string& room, long long code) {
  LogEntry entry;
  entry.event = "char";
  entry.target = target;
  entry.room = room;
  entry.code = code;
  return entry;
}

LogEntry SaidEvent(const std::string& room, const std::string& sender, const std::string& text,
                   const std::string& markup) {
  LogEntry entry;
  entry.event = "said";
  entry.room = room;
  entry.sender = sender;
  entry.text = text;
  entry.markup = markup;
  return entry;
}

auto HasEvents(const std::string& event, size_t count) {
  return [event, count](const std::vector<LogEntry>& log) {
    return EventsNamed(log, event).size() >= count;
  };
}

// Says a line of ours the way Zibbet does.
void SayThroughInput(const HostProcess& host, const std::string& markup, int room = 1) {
  const HWND input = host.InputBox(room);
  ASSERT_NE(input, nullptr);
  SetText(input, markup);
  TypeChar(input, '\r');
}

// Runs PracticeHost.exe with arguments to its end; its exit code, -1 if it had to be stopped.
int RunHostProgram(const std::vector<std::string>& args) {
  const std::string executable = HostProcess::ExecutablePath();
  std::string commandLine = QuoteArgument(executable);
  for (const std::string& arg : args) commandLine.append(" ").append(QuoteArgument(arg));
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info)) {
    ADD_FAILURE() << "cannot start " << commandLine;
    return -1;
  }
  const UniqueHandle process(info.hProcess);
  const UniqueHandle thread(info.hThread);
  if (WaitForSingleObject(process.Get(), kProgramTimeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(process.Get(), 1);
    WaitForSingleObject(process.Get(), kProgramTimeoutMs);
    return -1;
  }
  DWORD exitCode = 0;
  GetExitCodeProcess(process.Get(), &exitCode);
  return static_cast<int>(exitCode);
}

// Letters and blanks in words of varying length, with no short period, so that a cut, a doubled
// or a shifted piece shows. (Wine's rich edit takes tens of seconds to lay out 100,000
// characters that mix digits or punctuation into letters; chat lines are words.)
std::string LongText(size_t length) {
  constexpr size_t kLetters = 26;
  constexpr size_t kStep = 7919;  // a prime, so the letters do not repeat in step with the words
  constexpr size_t kWordSpread = 11;
  std::string text(length, ' ');
  for (size_t i = 0; i < length; ++i) {
    if ((i * kStep) % kWordSpread != 0) {
      text[i] = static_cast<char>('a' + (i * kStep + i / kLetters) % kLetters);
    }
  }
  return text;
}

// ---- The log's lines ----

struct ParseCase {
  const char* line;
  LogEntry expected;
};

LogEntry Entry(std::initializer_list<std::pair<const char*, std::string>> fields) {
  LogEntry entry;
  for (const auto& [key, value] : fields) {
    const std::string k = key;
    if (k == "event") entry.event = value;
    if (k == "target") entry.target = value;
    if (k == "room") entry.room = value;
    if (k == "text") entry.text = value;
    if (k == "hex") entry.hex = value;
    if (k == "sender") entry.sender = value;
    if (k == "markup") entry.markup = value;
    if (k == "address") entry.address = value;
  }
  return entry;
}

TEST(PracticeHostLogLine, ReadsFieldsAndEscapes) {
  LogEntry settext = Entry({{"event", "settext"},
                            {"target", "input"},
                            {"room", "Town Square"},
                            {"text", "caf\xc3\xa9"},
                            {"hex", "636166e9"}});
  settext.t = 1700000000123;
  LogEntry charEvent = Entry({{"event", "char"}});
  charEvent.code = 13;
  charEvent.pid = -5;
  const ParseCase cases[] = {
      {R"({"t":1700000000123,"event":"settext","target":"input","room":"Town Square",)"
       R"("text":"caf\u00e9","hex":"636166e9"})",
       settext},
      {R"({"text":"q\"b\\s\/n\nr\rt\tb\bf\f"})", Entry({{"text", "q\"b\\s/n\nr\rt\tb\bf\f"}})},
      {R"({"markup":"\u0001\u001F\u007f"})", Entry({{"markup", "\x01\x1f\x7f"}})},
      {R"({"text":"\u20ac \ud83d\ude00"})", Entry({{"text", "\xe2\x82\xac \xf0\x9f\x98\x80"}})},
      {"{\"sender\":\"\xc3\xa9t\xc3\xa9\"}", Entry({{"sender", "\xc3\xa9t\xc3\xa9"}})},
      {R"( { "event" : "char" , "code" : 13 , "pid":-5 } )", charEvent},
      {R"({"event":"open","extra":"skipped","n":7,"address":"a.test"})",
       Entry({{"event", "open"}, {"address", "a.test"}})},
      {"{}", LogEntry{}},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(c.line);
    const std::optional<LogEntry> parsed = ParseLogLine(c.line);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(*parsed, c.expected);
  }
}

TEST(PracticeHostLogLine, RejectsWhatIsNotAFlatObject) {
  const char* const lines[] = {
      "",
      "{",
      R"({"event":"said")",
      R"({"event":"said"} more)",
      R"({"event":"said",})",
      R"({"event" "said"})",
      R"({"event":said})",
      R"({"text":"\x"})",
      R"({"text":"\u12"})",
      R"({"text":"\ud83d"})",
      R"({"text":"\ude00"})",
      R"({"text":"\ud83d\u0041"})",
      "{\"text\":\"raw\ttab\"}",
      R"({"text":"unterminated})",
      R"({"t":1.5})",
      R"({"t":-})",
      R"({"nested":{"a":1}})",
      R"(["event"])",
  };
  for (const char* line : lines) {
    EXPECT_FALSE(ParseLogLine(line).has_value()) << line;
  }
}

// Every byte the ANSI code page can hand the host comes back from its log line unchanged.
TEST(PracticeHostLogLine, ReadsBackWhatTheHostWrites) {
  std::string ansi;
  for (int byte = 1; byte <= 0xFF; ++byte) ansi.push_back(static_cast<char>(byte));
  const std::string utf8 = AnsiToUtf8(ansi);
  const std::string line =
      JsonLine().Add("t", 42).Add("event", "said").Add("text", utf8).Add("code", 233).Finish();
  ASSERT_EQ(line.back(), '\n');
  EXPECT_EQ(line.find('\n'), line.size() - 1) << "a log entry must stay on one line";
  const std::optional<LogEntry> parsed = ParseLogLine(line);
  ASSERT_TRUE(parsed.has_value());
  EXPECT_EQ(parsed->t, 42);
  EXPECT_EQ(parsed->event, "said");
  EXPECT_EQ(parsed->text, utf8);
  EXPECT_EQ(parsed->code, 233);
}

// ---- Markup ----

TEST(PracticeHostMarkup, SplitsIntoColouredRuns) {
  struct Case {
    std::string markup;
    std::vector<practicehost::Run> runs;
  };
  const Case cases[] = {
      {"plain words", {{"plain words", kBlack}}},
      {"<Font Color=#0000FF>a<font color=#00ff00>b", {{"a", kBlue}, {"b", kGreen}}},
      {"<FONT COLOR=#FF0000>x</FONT>y", {{"xy", kRed}}},
      {"x<font color=\"#123456\">y</font >z", {{"x", kBlack}, {"yz", kOdd}}},
      {"<font  color = '#ff8000' >o", {{"o", kOrange}}},
      {"<font face=\"Arial, <b>\" color=#ff0000 size=2>w", {{"w", kRed}}},
      {"<font>k<font color=red>k<font color=#12345>k<font color=#1234567>k", {{"kkkk", kBlack}}},
      {"<font color=#ff0000>a<font color=#FF0000>b", {{"ab", kRed}}},
      {"1 < 2 <b>bold</b> <fontx> </fonts> <font color=#ff0000",
       {{"1 < 2 <b>bold</b> <fontx> </fonts> <font color=#ff0000", kBlack}}},
      {"<", {{"<", kBlack}}},
      {"a\r\nb\nc\rd", {{"a b c d", kBlack}}},
      {"<font color=#0000ff>caf\xe9", {{"caf\xe9", kBlue}}},
      {"", {}},
      {"<font color=#ff0000></font>", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.markup);
    EXPECT_EQ(ParseMarkup(c.markup), c.runs);
  }
}

// ---- The command line ----

TEST(PracticeHostCommandLine, ReadsOptions) {
  const ParsedOptions none = ParseOptions({});
  EXPECT_EQ(none.error, "");
  EXPECT_EQ(none.options.screenName, "Kestrel Jay");
  EXPECT_EQ(none.options.rooms, 1);
  EXPECT_TRUE(none.options.welcome);
  EXPECT_TRUE(none.options.toolbar);
  EXPECT_FALSE(none.options.decoy);
  EXPECT_FALSE(none.options.say.has_value());

  const ParsedOptions all = ParseOptions(
      {L"--screen-name", L"Wren Two", L"--log", L"C:\\temp\\host log.jsonl", L"--rooms", L"2",
       L"--decoy", L"--no-welcome", L"--welcome-title", L"Hi \u00e9!", L"--no-toolbar"});
  EXPECT_EQ(all.error, "");
  EXPECT_EQ(all.options.screenName, "Wren Two");
  EXPECT_EQ(all.options.logPath, L"C:\\temp\\host log.jsonl");
  EXPECT_EQ(all.options.rooms, 2);
  EXPECT_TRUE(all.options.decoy);
  EXPECT_FALSE(all.options.welcome);
  EXPECT_EQ(all.options.welcomeTitle, "Hi \xe9!");
  EXPECT_FALSE(all.options.toolbar);

  const ParsedOptions say = ParseOptions({L"--say", L"Pip Lantern", L"--rooms", L"--room", L"2"});
  EXPECT_EQ(say.error, "");
  ASSERT_TRUE(say.options.say.has_value());
  EXPECT_EQ(say.options.say->sender, "Pip Lantern");
  EXPECT_EQ(say.options.say->text, "--rooms") << "the text is taken as it is";
  EXPECT_EQ(say.options.say->room, 2);
}

TEST(PracticeHostCommandLine, RefusesWhatItDoesNotUnderstand) {
  const std::vector<std::vector<std::wstring>> commandLines = {
      {L"--rooms", L"3"},
      {L"--rooms", L"0"},
      {L"--rooms", L"two"},
      {L"--rooms"},
      {L"--screen-name"},
      {L"--screen-name", L""},
      {L"--say", L"only sender"},
      {L"--say", L"", L"text"},
      {L"--say", L"a\tb", L"text"},
      {L"--room", L"1"},
      {L"--say", L"a", L"b", L"--room", L"0"},
      {L"--bogus"},
      {L"Town Square"},
  };
  for (const auto& args : commandLines) {
    EXPECT_NE(ParseOptions(args).error, "") << WideToAnsi(args.front());
  }
}

TEST(PracticeHostCommandLine, QuotedArgumentsComeBackWhole) {
  const std::vector<std::string> args = {"plain",      "two words",  "",
                                         "say \"hi\"", "trailing\\", "C:\\Program Files\\x\\",
                                         "a\\\\\"b",   "tab\there",  "\\\\server\\share",
                                         "caf\xe9"};
  std::string commandLine = "PracticeHost.exe";
  for (const std::string& arg : args) commandLine.append(" ").append(QuoteArgument(arg));
  int count = 0;
  const std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(
      CommandLineToArgvW(AnsiToWide(commandLine).c_str(), &count), &LocalFree);
  ASSERT_NE(argv, nullptr);
  ASSERT_EQ(count, static_cast<int>(args.size()) + 1) << commandLine;
  for (size_t i = 0; i < args.size(); ++i) {
    EXPECT_EQ(WideToAnsi(argv.get()[i + 1]), args[i]) << commandLine;
  }
}

// ---- The running host ----

TEST(PracticeHostWindows, HasTheChatClientsWindowTree) {
  const HostProcess host;
  const HWND frame = host.Frame();
  EXPECT_EQ(ClassOf(frame), kFrameClass);
  EXPECT_EQ(TitleOf(frame), "Practice Host - Kestrel Jay");
  EXPECT_FALSE(IsWindowUnicode(frame));

  const std::vector<LogEntry> ready = EventsNamed(host.ReadLog(), "ready");
  ASSERT_EQ(ready.size(), 1u);
  EXPECT_EQ(ready[0].pid, static_cast<long long>(host.Pid()));
  EXPECT_GT(ready[0].t, kYear2020InUnixMs);

  const HWND mdi = host.MdiClient();
  ASSERT_NE(mdi, nullptr);
  std::vector<std::string> documents;
  for (const HWND document : Children(mdi)) {
    EXPECT_EQ(ClassOf(document), kChildClass);
    documents.push_back(TitleOf(document));
  }
  EXPECT_EQ(documents, (std::vector<std::string>{"Town Square", "Welcome, Kestrel Jay!"}));

  // Exactly these children, in this order, as the chat client's rooms have them.
  const HWND room = host.Room();
  ASSERT_NE(room, nullptr);
  EXPECT_EQ(ChildClasses(room), (std::vector<std::string>{kRichClass, kRichClass, kListboxClass,
                                                          kIconClass, kStaticClass}));
  const std::vector<HWND> parts = Children(room);
  ASSERT_EQ(parts.size(), 5u);
  const auto style = [](HWND window) { return GetWindowLongA(window, GWL_STYLE); };
  EXPECT_TRUE(style(parts[0]) & ES_MULTILINE);
  EXPECT_TRUE(style(parts[0]) & ES_READONLY);
  EXPECT_FALSE(style(parts[1]) & ES_MULTILINE);
  EXPECT_FALSE(style(parts[1]) & ES_READONLY);
  EXPECT_FALSE(IsWindowUnicode(parts[1])) << "the input box must take ANSI text";
  EXPECT_EQ(TitleOf(parts[4]), "Town Square");
  EXPECT_EQ(ListItems(parts[2]),
            (std::vector<std::string>{"Kestrel Jay", "Marsh Wren", "Tilly Oak", "Bramble Fox"}));

  const HWND welcome = FindWindowExA(mdi, nullptr, kChildClass, "Welcome, Kestrel Jay!");
  ASSERT_NE(welcome, nullptr);
  for (const char* roomPart : {kRichClass, kListboxClass, kIconClass, kStaticClass}) {
    EXPECT_EQ(FindWindowExA(welcome, nullptr, roomPart, nullptr), nullptr) << roomPart;
  }

  // frame > AOL Toolbar > _AOL_Toolbar > _AOL_Combobox > Edit
  const HWND keyword = host.KeywordBox();
  ASSERT_NE(keyword, nullptr);
  std::vector<std::string> path;
  for (HWND window = keyword; window && window != frame; window = GetParent(window)) {
    path.insert(path.begin(), ClassOf(window));
  }
  EXPECT_EQ(path, (std::vector<std::string>{kToolbarStripClass, kToolbarClass, kComboboxClass,
                                            kEditClass}));
  EXPECT_FALSE(IsWindowUnicode(keyword));
}

TEST(PracticeHostWindows, InputBoxSaysTheLineAndEmpties) {
  const HostProcess host;
  const HWND input = host.InputBox();
  ASSERT_NE(input, nullptr);
  const std::string markup = "<Font Color=#0000FF>h<Font Color=#0000FF>i";
  SetText(input, markup);
  EXPECT_EQ(BoxText(input), markup);
  TypeChar(input, '\r');

  EXPECT_EQ(host.TranscriptText(), kLabel + "hi");
  EXPECT_EQ(BoxText(input), "");
  EXPECT_EQ(Happenings(host), (std::vector<LogEntry>{
                                  SetTextEvent("input", "Town Square", markup, HexBytes(markup)),
                                  CharEvent("input", "Town Square", '\r'),
                                  SaidEvent("Town Square", "Kestrel Jay", "hi", markup),
                              }));

  SayThroughInput(host, "again");
  TypeChar(input, '\r');  // an empty box says nothing
  EXPECT_EQ(host.TranscriptText(), kLabel + "hi\r\n" + kLabel + "again");
  EXPECT_EQ(EventsNamed(host.ReadLog(), "said").size(), 2u);
  EXPECT_EQ(EventsNamed(host.ReadLog(), "char").size(), 3u);

  // The send icon says the box's line as well, on a click of its own.
  SetText(input, "by icon");
  const HWND icon = FindWindowExA(host.Room(), nullptr, kIconClass, nullptr);
  ASSERT_NE(icon, nullptr);
  PostMessageA(icon, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageA(icon, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  ASSERT_TRUE(host.WaitForLog(HasEvents("said", 3), kLogTimeoutMs));
  EXPECT_EQ(Happenings(host).back(), SaidEvent("Town Square", "Kestrel Jay", "by icon", "by icon"));
  EXPECT_EQ(BoxText(input), "");

  // Timestamps are milliseconds since 1970 and never go back.
  long long last = 0;
  for (const LogEntry& entry : host.ReadLog()) {
    EXPECT_GE(entry.t, std::max(last, kYear2020InUnixMs));
    last = entry.t;
  }
}

// Keys as a person types them reach the focused input box through the host's message loop.
TEST(PracticeHostWindows, EnterTypedByAPersonSaysTheLine) {
  const HostProcess host;
  ASSERT_TRUE(SetForegroundWindow(host.Frame()));
  std::vector<INPUT> keys;
  for (const WORD key : {WORD{'O'}, WORD{'K'}, WORD{VK_RETURN}}) {
    for (const DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = key;
      input.ki.dwFlags = flags;
      keys.push_back(input);
    }
  }
  ASSERT_EQ(SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)), keys.size());
  ASSERT_TRUE(host.WaitForLog(HasEvents("said", 1), kLogTimeoutMs));
  EXPECT_EQ(Happenings(host), (std::vector<LogEntry>{
                                  CharEvent("input", "Town Square", 'o'),
                                  CharEvent("input", "Town Square", 'k'),
                                  CharEvent("input", "Town Square", '\r'),
                                  SaidEvent("Town Square", "Kestrel Jay", "ok", "ok"),
                              }));
  EXPECT_EQ(host.TranscriptText(), kLabel + "ok");
}

TEST(PracticeHostWindows, FontTagsColourTheTranscript) {
  struct Case {
    std::string markup;
    std::string plain;
    std::vector<Color> colors;  // one a character of plain
  };
  const Case cases[] = {
      {"<Font Color=#0000FF>a", "a", {kBlue}},
      {"<FONT COLOR=#FF0000>r<font color=#00ff00>g<font color=#0000ff>b",
       "rgb",
       {kRed, kGreen, kBlue}},
      {"x<font color=#123456>yz</font>w", "xyzw", {kBlack, kOdd, kOdd, kOdd}},
      {"a<b>c", "a<b>c", {kBlack, kBlack, kBlack, kBlack, kBlack}},
      {"1 < 2<font color=#ff8000>!", "1 < 2!", {kBlack, kBlack, kBlack, kBlack, kBlack, kOrange}},
  };
  const HostProcess host;
  std::string transcript;
  long lineStart = 0;  // in the rich edit's count, where a line break is one character
  for (const Case& c : cases) {
    SayThroughInput(host, c.markup);
    transcript += (transcript.empty() ? "" : "\r\n") + kLabel + c.plain;
    ASSERT_EQ(host.TranscriptText(), transcript);

    SCOPED_TRACE(c.markup);
    const CharStyle sender = host.TranscriptCharStyle(lineStart);
    EXPECT_TRUE(sender.bold) << "the sender's name is bold";
    EXPECT_EQ(sender.color, kBlack);
    const long textStart = lineStart + static_cast<long>(kLabel.size());
    for (size_t i = 0; i < c.plain.size(); ++i) {
      const CharStyle style = host.TranscriptCharStyle(textStart + static_cast<long>(i));
      EXPECT_EQ(style.color, c.colors[i]) << "character " << i;
      EXPECT_FALSE(style.bold) << "character " << i;
      EXPECT_FALSE(style.autoColor) << "character " << i;
    }
    lineStart = textStart + static_cast<long>(c.plain.size()) + 1;
  }
}

TEST(PracticeHostWindows, KeywordBoxOpensTheAddressWithoutBlanks) {
  struct Case {
    std::string typed;
    std::string opened;  // empty: nothing opens
  };
  const Case cases[] = {
      {"www.example.test/page", "www.example.test/page"},
      {"  padded.test\t ", "padded.test"},
      {"http://a.test/two words", "http://a.test/two words"},
      {"", ""},
      {"   ", ""},
  };
  const HostProcess host;
  const HWND keyword = host.KeywordBox();
  ASSERT_NE(keyword, nullptr);
  std::vector<LogEntry> expected;
  for (const Case& c : cases) {
    // What a client sends: the address, a space, Enter.
    SetText(keyword, c.typed);
    TypeChar(keyword, ' ');
    TypeChar(keyword, '\r');
    expected.push_back(SetTextEvent("keyword", "", c.typed, HexBytes(c.typed)));
    expected.push_back(CharEvent("keyword", "", ' '));
    expected.push_back(CharEvent("keyword", "", '\r'));
    if (!c.opened.empty()) {
      LogEntry open;
      open.event = "open";
      open.address = c.opened;
      expected.push_back(open);
      EXPECT_EQ(BoxText(keyword), "") << "an opened address leaves the box";
    }
  }
  EXPECT_EQ(Happenings(host), expected);
}

TEST(PracticeHostWindows, OtherMembersSpeakThroughCopyData) {
  Options options;
  options.rooms = 2;
  const HostProcess host(options);
  host.Say("Pip Lantern", "<font color=#ff0000>hello");
  host.Say("Marsh Wren", "over\there", 2);
  host.Say("Pip Lantern", "me again");

  const std::string pip = "Pip Lantern:\t";
  EXPECT_EQ(host.TranscriptText(1), pip + "hello\r\n" + pip + "me again");
  EXPECT_EQ(host.TranscriptText(2), "Marsh Wren:\tover\there");
  EXPECT_TRUE(host.TranscriptCharStyle(0).bold);
  EXPECT_EQ(host.TranscriptCharStyle(static_cast<long>(pip.size())).color, kRed);
  EXPECT_EQ(Happenings(host),
            (std::vector<LogEntry>{
                SaidEvent("Town Square", "Pip Lantern", "hello", "<font color=#ff0000>hello"),
                SaidEvent("Lobby 12", "Marsh Wren", "over\there", "over\there"),
                SaidEvent("Town Square", "Pip Lantern", "me again", "me again"),
            }));
  // A new sender joins the member list once; the other room does not see them.
  EXPECT_EQ(Members(host, 1), (std::vector<std::string>{"Kestrel Jay", "Marsh Wren", "Tilly Oak",
                                                        "Bramble Fox", "Pip Lantern"}));
  EXPECT_EQ(Members(host, 2),
            (std::vector<std::string>{"Kestrel Jay", "Marsh Wren", "Tilly Oak", "Bramble Fox"}));
}

TEST(PracticeHostWindows, SayOnTheCommandLineReachesTheRunningHost) {
  Options options;
  options.rooms = 2;
  const HostProcess host(options);
  EXPECT_EQ(RunHostProgram({"--say", "Pip Lantern", "hi from <font color=#00ff00>afar"}), 0);
  EXPECT_EQ(RunHostProgram({"--say", "Tilly Oak", "in the lobby", "--room", "2"}), 0);
  EXPECT_EQ(RunHostProgram({"--say", "Tilly Oak", "nowhere", "--room", "3"}), 3);
  EXPECT_EQ(RunHostProgram({"--say", "Tilly Oak"}), 2);

  EXPECT_EQ(host.TranscriptText(1), "Pip Lantern:\thi from afar");
  EXPECT_EQ(host.TranscriptText(2), "Tilly Oak:\tin the lobby");
  EXPECT_EQ(Happenings(host),
            (std::vector<LogEntry>{
                SaidEvent("Town Square", "Pip Lantern", "hi from afar",
                          "hi from <font color=#00ff00>afar"),
                SaidEvent("Lobby 12", "Tilly Oak", "in the lobby", "in the lobby"),
            }));
}

TEST(PracticeHostWindows, SayOnTheCommandLineWithoutAHostFails) {
  if (FindWindowA(kFrameClass, nullptr)) GTEST_SKIP() << "another practice host is running";
  EXPECT_EQ(RunHostProgram({"--say", "Pip Lantern", "anyone?"}), 1);
}

TEST(PracticeHostWindows, OptionsShapeTheWindows) {
  enum class Kind { kRoom, kWelcome, kDecoy };
  struct Document {
    Kind kind;
    std::string title;  // not checked for the decoy
  };
  struct Case {
    const char* name;
    Options options;
    std::vector<Document> documents;  // in the MDI client's child order
    std::string frameTitle;
  };
  Options twoRooms;
  twoRooms.rooms = 2;
  Options decoy;
  decoy.decoy = true;
  decoy.rooms = 2;
  Options bare;
  bare.welcome = false;
  bare.toolbar = false;
  Options named;
  named.screenName = "Wren \"Two\" Fly";
  named.welcomeTitle = "Hello \"there\", C:\\ friend\\";
  const Case cases[] = {
      {"two rooms",
       twoRooms,
       {{Kind::kRoom, "Town Square"},
        {Kind::kRoom, "Lobby 12"},
        {Kind::kWelcome, "Welcome, Kestrel Jay!"}},
       "Practice Host - Kestrel Jay"},
      {"decoy",
       decoy,
       {{Kind::kDecoy, ""},
        {Kind::kRoom, "Town Square"},
        {Kind::kRoom, "Lobby 12"},
        {Kind::kWelcome, "Welcome, Kestrel Jay!"}},
       "Practice Host - Kestrel Jay"},
      {"no welcome, no toolbar",
       bare,
       {{Kind::kRoom, "Town Square"}},
       "Practice Host - Kestrel Jay"},
      {"screen name and welcome title",
       named,
       {{Kind::kRoom, "Town Square"}, {Kind::kWelcome, "Hello \"there\", C:\\ friend\\"}},
       "Practice Host - Wren \"Two\" Fly"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const HostProcess host(c.options);
    EXPECT_EQ(TitleOf(host.Frame()), c.frameTitle);
    EXPECT_EQ(FindWindowExA(host.Frame(), nullptr, kToolbarStripClass, nullptr) != nullptr,
              c.options.toolbar);
    EXPECT_EQ(host.KeywordBox() != nullptr, c.options.toolbar);

    const std::vector<HWND> documents = Children(host.MdiClient(), kChildClass);
    ASSERT_EQ(documents.size(), c.documents.size());
    for (size_t i = 0; i < documents.size(); ++i) {
      const Document& expected = c.documents[i];
      const HWND document = documents[i];
      const HWND title = FindWindowExA(document, nullptr, kStaticClass, nullptr);
      switch (expected.kind) {
        case Kind::kRoom:
          EXPECT_EQ(TitleOf(document), expected.title);
          EXPECT_EQ(ChildClasses(document),
                    (std::vector<std::string>{kRichClass, kRichClass, kListboxClass, kIconClass,
                                              kStaticClass}));
          EXPECT_EQ(TitleOf(title), expected.title);
          break;
        case Kind::kWelcome:
          EXPECT_EQ(TitleOf(document), expected.title);
          EXPECT_EQ(title, nullptr);
          break;
        case Kind::kDecoy:
          EXPECT_NE(FindWindowExA(document, nullptr, kRichClass, nullptr), nullptr);
          EXPECT_NE(FindWindowExA(document, nullptr, kListboxClass, nullptr), nullptr);
          EXPECT_NE(FindWindowExA(document, nullptr, kIconClass, nullptr), nullptr);
          EXPECT_EQ(title, nullptr) << "a decoy has no room title";
          break;
      }
    }
    if (c.options.screenName != kDefaultScreenName) {
      SayThroughInput(host, "hi");
      EXPECT_EQ(host.TranscriptText(), c.options.screenName + ":\thi");
      EXPECT_EQ(Members(host).front(), c.options.screenName);
    }
  }
}

TEST(PracticeHostWindows, BytesAboveAsciiArriveUnchanged) {
  const HostProcess host;
  const HWND input = host.InputBox();
  ASSERT_NE(input, nullptr);
  SayThroughInput(host, "caf\xe9 <font color=#ff0000>\xfc\x80");
  TypeChar(input, '\xe9');
  EXPECT_EQ(BoxText(input), "\xe9");
  SetText(host.KeywordBox(), "\xe9.test");

  EXPECT_EQ(host.TranscriptText(), kLabel + "caf\xe9 \xfc\x80");
  const std::vector<LogEntry> log = Happenings(host);
  ASSERT_EQ(log.size(), 5u);
  EXPECT_EQ(log[0].hex, HexBytes("caf\xe9 <font color=#ff0000>\xfc\x80"));
  EXPECT_EQ(log[0].hex.substr(0, 8), "636166e9");
  EXPECT_EQ(log[0].text, "caf\xc3\xa9 <font color=#ff0000>\xc3\xbc" + AnsiToUtf8("\x80"));
  EXPECT_EQ(log[2].text, "caf\xc3\xa9 \xc3\xbc" + AnsiToUtf8("\x80"));
  EXPECT_EQ(log[3], CharEvent("input", "Town Square", 0xE9));
  EXPECT_EQ(log[4], SetTextEvent("keyword", "", "\xc3\xa9.test", "e92e74657374"));
}

TEST(PracticeHostWindows, LongLinesAreSaidWhole) {
  constexpr size_t kLongLine = 100000;
  constexpr size_t kTaggedLetters = 4800;  // about 100,800 characters of markup
  const HostProcess host;
  const HWND input = host.InputBox();
  ASSERT_NE(input, nullptr);

  const std::string text = LongText(kLongLine);
  SetText(input, text);
  EXPECT_EQ(BoxText(input), text) << "the input box must hold the whole line";
  TypeChar(input, '\r');
  std::string transcript = kLabel + text;
  EXPECT_EQ(host.TranscriptText(), transcript);

  // Zibbet's own shape: a colour tag before every letter.
  std::string markup;
  std::string letters;
  for (size_t i = 0; i < kTaggedLetters; ++i) {
    char tag[32];
    wsprintfA(tag, "<Font Color=#%02X%02X%02X>", static_cast<unsigned>(i % 256), 0x40,
              static_cast<unsigned>(255 - i % 256));
    markup += tag;
    letters.push_back(static_cast<char>('a' + i % 26));
    markup.push_back(letters.back());
  }
  SayThroughInput(host, markup);
  transcript += "\r\n" + kLabel + letters;
  EXPECT_EQ(host.TranscriptText(), transcript);
  const long lettersStart = static_cast<long>(kLabel.size() + text.size() + 1 + kLabel.size());
  for (const size_t i : {size_t{0}, kTaggedLetters / 2 + 7, kTaggedLetters - 1}) {
    EXPECT_EQ(host.TranscriptCharStyle(lettersStart + static_cast<long>(i)).color,
              MakeColor(static_cast<unsigned>(i % 256), 0x40, static_cast<unsigned>(255 - i % 256)))
        << "letter " << i;
  }

  host.Say("Pip Lantern", text);
  transcript += "\r\nPip Lantern:\t" + text;
  EXPECT_EQ(host.TranscriptText(), transcript);

  const std::vector<LogEntry> said = EventsNamed(host.ReadLog(), "said");
  ASSERT_EQ(said.size(), 3u);
  EXPECT_EQ(said[0].text, text);
  EXPECT_EQ(said[0].markup, text);
  EXPECT_EQ(said[1].text, letters);
  EXPECT_EQ(said[1].markup, markup);
  EXPECT_EQ(said[2].text, text);
  EXPECT_EQ(EventsNamed(host.ReadLog(), "settext").front().hex, HexBytes(text));
}

TEST(PracticeHostWindows, OddInputNeitherBreaksNorSpeaks) {
  const HostProcess host;
  const HWND input = host.InputBox();
  ASSERT_NE(input, nullptr);

  SayThroughInput(host, "");
  SayThroughInput(host, "<font color=#ff0000></font>");  // tags, nothing to show
  EXPECT_EQ(EventsNamed(host.ReadLog(), "said").size(), 0u);
  EXPECT_EQ(BoxText(input), "");

  EXPECT_FALSE(host.SendCopyData(1, "no tab"));
  EXPECT_FALSE(host.SendCopyData(1, "\tno sender"));
  EXPECT_FALSE(host.SendCopyData(1, "Pip Lantern\t"));
  EXPECT_FALSE(host.SendCopyData(1, ""));
  EXPECT_FALSE(host.SendCopyData(0, "Pip Lantern\thi"));
  EXPECT_FALSE(host.SendCopyData(2, "Pip Lantern\thi"));
  EXPECT_EQ(EventsNamed(host.ReadLog(), "said").size(), 0u);

  // Taken literally: what looks like RTF, unknown tags, control characters, NULs from outside.
  const std::string odd = "{\\rtf1\\b not rtf}<blink x=\"1\">&amp;\x01\x7f\x81\xff";
  SayThroughInput(host, odd);
  EXPECT_TRUE(host.SendCopyData(1, std::string("Nul\0l\tte\0xt", 11)));
  EXPECT_EQ(host.TranscriptText(), kLabel + odd + "\r\nNul l:\tte xt");

  SayThroughInput(host, "still here");
  EXPECT_EQ(EventsNamed(host.ReadLog(), "said").back().text, "still here");

  PostMessageA(host.Frame(), WM_CLOSE, 0, 0);
  EXPECT_EQ(host.WaitForExit(kLogTimeoutMs), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace practicehost
