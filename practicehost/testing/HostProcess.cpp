#include "practicehost/testing/HostProcess.h"

#include <richedit.h>

#include <algorithm>
#include <stdexcept>

#include "practicehost/Text.h"

namespace practicehost {
namespace {

constexpr DWORD kPollMs = 10;
constexpr UINT kMessageTimeoutMs = 10000;
constexpr DWORD kTerminateWaitMs = 10000;
constexpr UINT kTerminatedExitCode = 1;
constexpr char kLogPrefix[] = "phl";
constexpr DWORD kProgramTimeoutMs = 15000;

std::string LastError(const std::string& what) {
  return what + " (error " + std::to_string(GetLastError()) + ")";
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
    if (owner == pid) {
      return frame;
    }
  }
  return nullptr;
}

LRESULT SendOrThrow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                           &result)) {
    throw std::runtime_error(
        LastError("the practice host did not answer message " + std::to_string(message)));
  }
  return static_cast<LRESULT>(result);
}

// A block of the host's memory, for messages whose pointers the host dereferences.
class RemoteMemory {
 public:
  RemoteMemory(HANDLE process, size_t size)
      : process_(process),
        address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
    if (!address_) {
      throw std::runtime_error(LastError("cannot allocate in the practice host"));
    }
  }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;
  ~RemoteMemory() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }

  void* Get() const { return address_; }

 private:
  HANDLE process_;
  void* address_;
};

// Starts PracticeHost.exe with args; the process's handle.
HANDLE StartProgram(const std::vector<std::string>& args) {
  const std::string executable = HostProcess::ExecutablePath();
  std::string commandLine = QuoteArgument(executable);
  for (const std::string& arg : args) commandLine.append(" ").append(QuoteArgument(arg));
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info)) {
    throw std::runtime_error(LastError("cannot start " + executable));
  }
  CloseHandle(info.hThread);
  return info.hProcess;
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
    if (c == '"') {
      quoted.append(backslashes * 2 + 1, '\\');
    } else {
      quoted.append(backslashes, '\\');
    }
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

HostProcess::Process::~Process() {
  if (!handle_) {
    return;
  }
  TerminateProcess(handle_.Get(), kTerminatedExitCode);
  WaitForSingleObject(handle_.Get(), kTerminateWaitMs);
}

std::string HostProcess::ExecutablePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) {
      throw std::runtime_error(LastError("cannot find the test program's path"));
    }
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const size_t slash = path.find_last_of("\\/");
  return path.substr(0, slash == std::string::npos ? 0 : slash + 1) + kExecutableName;
}

HostProcess::HostProcess(const Options& options) {
  Options own = options;
  own.logPath = AnsiToWide(log_.Path());
  own.say.reset();
  own.hangMs.reset();
  process_.Adopt(StartProgram(ToArguments(own)));
  pid_ = GetProcessId(process_.Get());

  const ULONGLONG deadline = GetTickCount64() + kStartTimeoutMs;
  bool ready = false;
  while (!ready || !frame_) {
    if (!frame_) {
      frame_ = FindFrameOf(pid_);
    }
    if (!ready) {
      for (const LogEntry& entry : ReadLog()) {
        if (entry.event == "ready" && entry.pid == static_cast<long long>(pid_)) ready = true;
      }
    }
    if (ready && frame_) {
      break;
    }
    DWORD exitCode = 0;
    if (WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0) {
      GetExitCodeProcess(process_.Get(), &exitCode);
      throw std::runtime_error("the practice host exited at start with code " +
                               std::to_string(exitCode));
    }
    if (GetTickCount64() > deadline) {
      throw std::runtime_error("the practice host did not come up within 15 s");
    }
    PumpFor(kPollMs);
  }
}

HostProcess::~HostProcess() = default;

HWND HostProcess::MdiClient() const {
  return FindWindowExA(frame_, nullptr, kMdiClientClass, nullptr);
}

HWND HostProcess::Room(int room) const {
  const char* name = RoomName(room);
  const HWND mdi = MdiClient();
  if (!name || !mdi) {
    return nullptr;
  }
  return FindWindowExA(mdi, nullptr, kChildClass, name);
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
  if (!file) return entries;
  std::string content;
  char buffer[64 * 1024];
  DWORD read = 0;
  while (ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
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
  for (;;) {
    if (pred(ReadLog())) {
      return true;
    }
    if (GetTickCount64() > deadline) {
      return false;
    }
    PumpFor(kPollMs);
  }
}

std::string HostProcess::TranscriptText(int room) const {
  const HWND transcript = Transcript(room);
  if (!transcript) {
    throw std::runtime_error("no transcript in room " + std::to_string(room));
  }
  // A rich edit's length counts characters, each up to MaxCharSize bytes in the ANSI code page.
  CPINFO codePage{};
  GetCPInfo(CP_ACP, &codePage);
  const LRESULT length = SendOrThrow(transcript, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(length) * std::max<UINT>(codePage.MaxCharSize, 1) + 1, '\0');
  const LRESULT copied = SendOrThrow(transcript, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                     reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied));
  return text;
}

CharStyle HostProcess::TranscriptCharStyle(long index, int room) const {
  const HWND transcript = Transcript(room);
  if (!transcript) {
    throw std::runtime_error("no transcript in room " + std::to_string(room));
  }
  SendOrThrow(transcript, EM_SETSEL, static_cast<WPARAM>(index), static_cast<LPARAM>(index) + 1);
  CHARFORMAT2A format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_COLOR | CFM_BOLD;
  const RemoteMemory remote(process_.Get(), sizeof format);
  SIZE_T moved = 0;
  if (!WriteProcessMemory(process_.Get(), remote.Get(), &format, sizeof format, &moved)) {
    throw std::runtime_error(LastError("cannot write to the practice host"));
  }
  SendOrThrow(transcript, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(remote.Get()));
  if (!ReadProcessMemory(process_.Get(), remote.Get(), &format, sizeof format, &moved)) {
    throw std::runtime_error(LastError("cannot read from the practice host"));
  }
  return CharStyle{format.crTextColor, (format.dwEffects & CFE_BOLD) != 0,
                   (format.dwEffects & CFE_AUTOCOLOR) != 0};
}

void HostProcess::Say(const std::string& sender, const std::string& text, int room) const {
  if (!SendCopyData(static_cast<ULONG_PTR>(room), EncodeCopyData(sender, text))) {
    throw std::runtime_error("the practice host did not say the line of " + sender);
  }
}

LRESULT HostProcess::SendCopyData(ULONG_PTR room, std::string_view bytes) const {
  std::string copy(bytes);
  COPYDATASTRUCT data{room, static_cast<DWORD>(copy.size()), copy.empty() ? nullptr : copy.data()};
  return SendOrThrow(frame_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

std::optional<DWORD> HostProcess::RunProgram(const std::vector<std::string>& args) {
  Process program;
  program.Adopt(StartProgram(args));
  DWORD exitCode = 0;
  if (WaitForSingleObject(program.Get(), kProgramTimeoutMs) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(program.Get(), &exitCode)) {
    return std::nullopt;
  }
  return exitCode;
}

void HostProcess::Hang(int ms) const {
  const auto hangs = [](const std::vector<LogEntry>& log) {
    return std::count_if(log.begin(), log.end(),
                         [](const LogEntry& e) { return e.event == "hang"; });
  };
  const auto before = hangs(ReadLog());
  if (RunProgram({"--hang", std::to_string(ms)}) != std::optional<DWORD>(0) ||
      !WaitForLog([&](const std::vector<LogEntry>& log) { return hangs(log) > before; },
                  kMessageTimeoutMs)) {
    throw std::runtime_error("the practice host did not begin to hang");
  }
}

std::optional<DWORD> HostProcess::WaitForExit(int timeoutMs) const {
  if (WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD exitCode = 0;
  GetExitCodeProcess(process_.Get(), &exitCode);
  return exitCode;
}

}  // namespace practicehost
