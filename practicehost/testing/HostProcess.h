#pragma once
// Runs a PracticeHost.exe for a Win32 test and reads what it logged. Everything it starts is ended
// when the object goes, also when a test fails half-way.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "practicehost/Options.h"
#include "practicehost/Protocol.h"
#include "practicehost/Win32Handles.h"

namespace practicehost {

// One line of the host's log. Absent fields are empty (code and pid: unset).
struct LogEntry {
  long long t = 0;
  std::string event;
  std::string target;
  std::string room;
  std::string text;
  std::string hex;
  std::optional<long long> code;
  std::string sender;
  std::string markup;
  std::string address;
  std::optional<long long> pid;
  bool operator==(const LogEntry&) const = default;
};

// One flat JSON object of the log (string and integer values; strings come back as UTF-8).
// Unknown keys are skipped; anything that is not such an object gives nothing.
std::optional<LogEntry> ParseLogLine(std::string_view line);

// Quotes an argument so that CommandLineToArgvW (and the C runtime) give it back unchanged.
std::string QuoteArgument(std::string_view argument);

// A character of a transcript as the rich edit formats it.
struct CharStyle {
  COLORREF color = 0;
  bool bold = false;
  bool autoColor = false;
};

class HostProcess {
 public:
  static constexpr int kStartTimeoutMs = 15000;

  // Starts PracticeHost.exe from beside this test program with the options (but a log of its
  // own); throws std::runtime_error if it does not come up (the process is ended all the same).
  explicit HostProcess(const Options& options = {});
  HostProcess(const HostProcess&) = delete;
  HostProcess& operator=(const HostProcess&) = delete;
  ~HostProcess();

  HWND Frame() const { return frame_; }
  DWORD Pid() const { return pid_; }
  HWND MdiClient() const;
  // The room's "AOL Child" window (1-based), found by its title; nullptr if there is none.
  HWND Room(int room = 1) const;
  HWND Transcript(int room = 1) const;
  HWND InputBox(int room = 1) const;
  // The Edit at the end of frame > AOL Toolbar > _AOL_Toolbar > _AOL_Combobox; nullptr if absent.
  HWND KeywordBox() const;

  std::vector<LogEntry> ReadLog() const;
  // Polls the log until pred holds, pumping this thread's messages meanwhile.
  bool WaitForLog(const std::function<bool(const std::vector<LogEntry>&)>& pred,
                  int timeoutMs) const;

  std::string TranscriptText(int room = 1) const;
  // Reads the format of the character at index (the rich edit's own character count, a line
  // break counting one) through the host's memory, as EM_GETCHARFORMAT needs a pointer there.
  CharStyle TranscriptCharStyle(long index, int room = 1) const;

  // Says text as sender in the room through WM_COPYDATA; throws if the host refuses the line.
  void Say(const std::string& sender, const std::string& text, int room = 1) const;
  // Makes the host stop answering for ms milliseconds the way a person would, with
  // "PracticeHost.exe --hang MS"; returns once the host has begun to hang, throws if it does not.
  void Hang(int ms) const;
  // Sends raw WM_COPYDATA bytes; the host's answer (TRUE if it said the line).
  LRESULT SendCopyData(ULONG_PTR room, std::string_view bytes) const;

  // Waits for the host to end by itself; its exit code, or nothing on time-out.
  std::optional<DWORD> WaitForExit(int timeoutMs) const;

  // PracticeHost.exe beside the running program.
  static std::string ExecutablePath();
  // Runs PracticeHost.exe with args to its end: its exit code, or nothing if it had to be stopped.
  static std::optional<DWORD> RunProgram(const std::vector<std::string>& args);

 private:
  // Declared in the order they must be set up; the process goes before its log file.
  class LogFile {
   public:
    LogFile();
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;
    ~LogFile();
    const std::string& Path() const { return path_; }

   private:
    std::string path_;
  };
  class Process {
   public:
    Process() = default;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();
    void Adopt(HANDLE process) { handle_ = UniqueHandle(process); }
    HANDLE Get() const { return handle_.Get(); }

   private:
    UniqueHandle handle_;
  };

  LogFile log_;
  Process process_;
  DWORD pid_ = 0;
  HWND frame_ = nullptr;
};

}  // namespace practicehost
