#include "practicehost/testing/HostProcess.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "winkit/MessagePump.h"
#include "winkit/Text.h"

namespace practicehost {
namespace {

constexpr DWORD kStartTimeoutMs = 15000;
// A long history takes the host's rich edit a while to lay out before it is ready.
constexpr int kHistoryBytesPerMs = 100;
constexpr DWORD kPollMs = 10;
constexpr UINT kMessageTimeoutMs = 10000;
constexpr DWORD kProgramTimeoutMs = 15000;
constexpr char kLogPrefix[] = "phl";

// PracticeHost.exe beside the running program, with args (ANSI, as the host reads them).
winkit::ChildProcess Start(const std::vector<std::string>& args) {
  const std::string program = winkit::ProgramFolder() + kExecutableName;
  std::string commandLine = winkit::QuoteArgument(program);
  for (const std::string& arg : args) {
    commandLine.append(" ").append(
        winkit::QuoteArgument(winkit::ToUtf8(winkit::WideFromAnsi(arg))));
  }
  return {program, commandLine};
}

HWND FindFrameOf(DWORD pid) {
  HWND frame = nullptr;
  DWORD owner = 0;
  do {
    frame = FindWindowExA(nullptr, frame, kFrameClass, nullptr);
    GetWindowThreadProcessId(frame, &owner);
  } while (frame && owner != pid);
  return frame;
}

LRESULT SendOrThrow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                           &result)) {
    throw std::runtime_error("the practice host did not answer message " + std::to_string(message));
  }
  return static_cast<LRESULT>(result);
}

// The options as the host takes them, with the log in logPath and no command.
std::vector<std::string> WithLog(Options options, const std::string& logPath) {
  options.logPath = winkit::WideFromAnsi(logPath);
  options.say = std::nullopt;
  options.hangMs = std::nullopt;
  return ToArguments(options);
}

}  // namespace

HostProcess::LogFile::LogFile() {
  char directory[MAX_PATH + 1] = {};
  char path[MAX_PATH + 1] = {};
  if (!GetTempPathA(sizeof directory, directory) ||
      !GetTempFileNameA(directory, kLogPrefix, 0, path)) {
    throw std::runtime_error("cannot make a log file for the practice host");
  }
  path_ = path;
}

HostProcess::LogFile::~LogFile() { DeleteFileA(path_.c_str()); }

HostProcess::HostProcess(const Options& options) : process_(Start(WithLog(options, log_.Path()))) {
  // The log is this host's alone: its "ready" comes once the windows are made.
  bool exited = false;
  const bool ready = winkit::PumpUntil(
      [&] { return (exited = process_.Exited()) || !Events("ready").empty(); },
      kStartTimeoutMs + static_cast<DWORD>(options.historyBytes / kHistoryBytesPerMs), kPollMs);
  frame_ = FindFrameOf(process_.Pid());
  if (!ready || exited || !frame_) {
    throw std::runtime_error(exited ? "the practice host exited at start"
                                    : "the practice host did not come up");
  }
}

HWND HostProcess::MdiClient() const {
  return FindWindowExA(frame_, nullptr, kMdiClientClass, nullptr);
}

HWND HostProcess::Room(int room) const {
  const char* name = RoomName(room);
  const HWND mdi = MdiClient();
  return name && mdi ? FindWindowExA(mdi, nullptr, kChildClass, name) : nullptr;
}

HWND HostProcess::Transcript(int room) const {
  const HWND window = Room(room);
  return window ? FindWindowExA(window, nullptr, kRichClass, nullptr) : nullptr;
}

HWND HostProcess::InputBox(int room) const {
  const HWND transcript = Transcript(room);
  return transcript ? FindWindowExA(Room(room), transcript, kRichClass, nullptr) : nullptr;
}

HWND HostProcess::KeywordBox() const {
  HWND window = frame_;
  for (const char* className : {kToolbarStripClass, kToolbarClass, kComboboxClass, kEditClass}) {
    window = window ? FindWindowExA(window, nullptr, className, nullptr) : nullptr;
  }
  return window;
}

std::vector<LogEntry> HostProcess::ReadLog() const {
  std::vector<LogEntry> entries;
  std::ifstream file(log_.Path(), std::ios::binary);
  // Only whole lines: the host may be writing the last one right now.
  for (std::string line; std::getline(file, line) && !file.eof();) {
    if (std::optional<LogEntry> entry = ParseLogLine(line)) {
      entries.push_back(std::move(*entry));
    }
  }
  return entries;
}

std::vector<LogEntry> HostProcess::Events(std::string_view event) const {
  std::vector<LogEntry> events = ReadLog();
  std::erase_if(events, [&](const LogEntry& entry) { return entry.event != event; });
  return events;
}

bool HostProcess::WaitForLog(const std::function<bool(const std::vector<LogEntry>&)>& pred,
                             int timeoutMs) const {
  return winkit::PumpUntil([&] { return pred(ReadLog()); }, static_cast<DWORD>(timeoutMs), kPollMs);
}

std::string HostProcess::TranscriptText(int room) const {
  const HWND transcript = Transcript(room);
  if (!transcript) {
    throw std::runtime_error("no transcript in room " + std::to_string(room));
  }
  // In UTF-16: Wine answers an ANSI WM_GETTEXTLENGTH from another process with 0 once the rich
  // edit holds double-byte text. The buffer still has room for every character's ANSI bytes, as
  // Wine hands the rich edit one of as many bytes as it has characters.
  CPINFO codePage{};
  GetCPInfo(CP_ACP, &codePage);
  const auto length = static_cast<size_t>(SendOrThrow(transcript, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(length * std::max<UINT>(codePage.MaxCharSize, 1) + 1, L'\0');
  const LRESULT copied = SendOrThrow(transcript, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                     reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied));
  return winkit::ToAnsi(text);
}

void HostProcess::Say(const std::string& sender, const std::string& text, int room) const {
  std::string bytes = EncodeCopyData(sender, text);
  COPYDATASTRUCT data{static_cast<ULONG_PTR>(room), static_cast<DWORD>(bytes.size()), bytes.data()};
  if (!SendOrThrow(frame_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data))) {
    throw std::runtime_error("the practice host did not say the line of " + sender);
  }
}

void HostProcess::Hang(int ms) const {
  const size_t before = Events("hang").size();
  if (Start({"--hang", std::to_string(ms)}).Wait(kProgramTimeoutMs) != std::optional<DWORD>(0) ||
      !winkit::PumpUntil([&] { return Events("hang").size() > before; }, kMessageTimeoutMs,
                         kPollMs)) {
    throw std::runtime_error("the practice host did not begin to hang");
  }
}

bool HostProcess::HeapSound() const {
  const std::optional<DWORD> exitCode = Start({"--check-heap"}).Wait(kProgramTimeoutMs);
  if (exitCode == std::optional<DWORD>(0)) {
    return true;
  }
  if (exitCode == std::optional<DWORD>(static_cast<DWORD>(kHeapCorruptExitCode))) {
    return false;
  }
  throw std::runtime_error("the practice host did not answer the heap check");
}

}  // namespace practicehost
