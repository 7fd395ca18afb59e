#include "practicehost/testing/HostProcess.h"

#include <algorithm>
#include <stdexcept>

#include "practicehost/Text.h"

namespace practicehost {
namespace {

constexpr int kStartTimeoutMs = 15000;
constexpr DWORD kPollMs = 10;
constexpr UINT kMessageTimeoutMs = 10000;
constexpr DWORD kProgramTimeoutMs = 15000;
constexpr UINT kTerminatedExitCode = 1;
constexpr char kLogPrefix[] = "phl";

std::string LastError(const std::string& what) {
  return what + " (error " + std::to_string(GetLastError()) + ")";
}

// PracticeHost.exe beside the running program.
std::string ExecutablePath() {
  std::string path(MAX_PATH, '\0');
  DWORD length = 0;
  while ((length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
         path.size()) {
    path.resize(path.size() * 2);
  }
  path.resize(length);
  return path.substr(0, path.find_last_of("\\/") + 1) + kExecutableName;
}

// Runs this thread's messages, then waits a moment for more (or for nothing).
void PumpFor(DWORD ms) {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT);
}

HWND FindFrameOf(DWORD pid) {
  HWND frame = nullptr;
  while ((frame = FindWindowExA(nullptr, frame, kFrameClass, nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(frame, &owner);
    if (owner == pid) return frame;
  }
  return nullptr;
}

LRESULT SendOrThrow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                           &result)) {
    throw std::runtime_error(
        LastError("the practice host did not answer message " + std::to_string(message)));
  }
  return static_cast<LRESULT>(result);
}

std::vector<std::string> WithLog(Options options, const std::string& logPath) {
  options.logPath = AnsiToWide(logPath);
  options.say.reset();
  options.hangMs.reset();
  return ToArguments(options);
}

size_t CountEvents(const std::vector<LogEntry>& log, std::string_view event) {
  return static_cast<size_t>(
      std::count_if(log.begin(), log.end(), [&](const LogEntry& e) { return e.event == event; }));
}

}  // namespace

std::string QuoteArgument(std::string_view argument) {
  if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string_view::npos) {
    return std::string(argument);
  }
  // Backslashes double only where a quote follows them, ours at the end included.
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (const char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted.push_back(c);
  }
  quoted.append(backslashes * 2, '\\');
  quoted.push_back('"');
  return quoted;
}

HostProcess::LogFile::LogFile() {
  char directory[MAX_PATH + 1] = {};
  char path[MAX_PATH + 1] = {};
  if (!GetTempPathA(sizeof directory, directory) ||
      !GetTempFileNameA(directory, kLogPrefix, 0, path)) {
    throw std::runtime_error(LastError("cannot make a log file for the practice host"));
  }
  path_ = path;
}

HostProcess::LogFile::~LogFile() { DeleteFileA(path_.c_str()); }

HostProcess::Process::Process(const std::vector<std::string>& args) {
  const std::string executable = ExecutablePath();
  std::string commandLine = QuoteArgument(executable);
  for (const std::string& arg : args) commandLine.append(" ").append(QuoteArgument(arg));
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info)) {
    throw std::runtime_error(LastError("cannot start " + executable));
  }
  handle_ = UniqueHandle(info.hProcess);
  CloseHandle(info.hThread);
}

HostProcess::Process::~Process() {
  TerminateProcess(handle_.Get(), kTerminatedExitCode);
  WaitForSingleObject(handle_.Get(), kProgramTimeoutMs);
}

HostProcess::HostProcess(const Options& options) : process_(WithLog(options, log_.Path())) {
  const auto pid = static_cast<long long>(Pid());
  bool exited = false;
  const bool ready = WaitForLog(
      [&](const std::vector<LogEntry>& log) {
        exited = WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0;
        return exited || std::any_of(log.begin(), log.end(), [&](const LogEntry& e) {
                 return e.event == "ready" && e.pid == pid;
               });
      },
      kStartTimeoutMs);
  frame_ = FindFrameOf(Pid());
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
  const UniqueHandle file(CreateFileA(log_.Path().c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string content;
  char buffer[64 * 1024];
  DWORD read = 0;
  while (file && ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
    content.append(buffer, read);
  }
  // Only whole lines: the host may be writing the last one right now.
  size_t start = 0;
  for (size_t end; (end = content.find('\n', start)) != std::string::npos; start = end + 1) {
    if (std::optional<LogEntry> entry =
            ParseLogLine(std::string_view(content).substr(start, end - start))) {
      entries.push_back(std::move(*entry));
    }
  }
  return entries;
}

bool HostProcess::WaitForLog(const std::function<bool(const std::vector<LogEntry>&)>& pred,
                             int timeoutMs) const {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
  while (!pred(ReadLog())) {
    if (GetTickCount64() > deadline) return false;
    PumpFor(kPollMs);
  }
  return true;
}

std::string HostProcess::TranscriptText(int room) const {
  const HWND transcript = Transcript(room);
  if (!transcript) throw std::runtime_error("no transcript in room " + std::to_string(room));
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
  return WideToAnsi(text);
}

void HostProcess::Say(const std::string& sender, const std::string& text, int room) const {
  std::string bytes = EncodeCopyData(sender, text);
  COPYDATASTRUCT data{static_cast<ULONG_PTR>(room), static_cast<DWORD>(bytes.size()), bytes.data()};
  if (!SendOrThrow(frame_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data))) {
    throw std::runtime_error("the practice host did not say the line of " + sender);
  }
}

void HostProcess::Hang(int ms) const {
  const size_t before = CountEvents(ReadLog(), "hang");
  if (RunProgram({"--hang", std::to_string(ms)}) != std::optional<DWORD>(0) ||
      !WaitForLog([&](const auto& log) { return CountEvents(log, "hang") > before; },
                  static_cast<int>(kMessageTimeoutMs))) {
    throw std::runtime_error("the practice host did not begin to hang");
  }
}

std::optional<DWORD> HostProcess::RunProgram(const std::vector<std::string>& args) {
  const Process program(args);
  DWORD exitCode = 0;
  if (WaitForSingleObject(program.Get(), kProgramTimeoutMs) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(program.Get(), &exitCode)) {
    return std::nullopt;
  }
  return exitCode;
}

}  // namespace practicehost
