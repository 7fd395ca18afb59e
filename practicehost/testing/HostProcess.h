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
#include "winkit/ChildProcess.h"

namespace practicehost {

// One line of the host's log, the fields the tests read. Absent fields are empty.
struct LogEntry {
  long long t = 0;  // when, in milliseconds since 1970
  std::string event;
  std::string target;
  std::string text;
  std::string hex;
  std::string sender;
  std::string markup;
  std::string address;
};

// One line as the host writes it (strings come back as UTF-8); nothing for anything else.
std::optional<LogEntry> ParseLogLine(std::string_view line);

class HostProcess {
 public:
  // Starts PracticeHost.exe from beside this test program with the options (but a log of its
  // own); throws std::runtime_error if it does not come up (the process is ended all the same).
  explicit HostProcess(const Options& options = {});

  HWND Frame() const { return frame_; }
  DWORD Pid() const { return process_.Pid(); }
  HWND MdiClient() const;
  // The room's "AOL Child" window (1-based), found by its title; nullptr if there is none.
  HWND Room(int room = 1) const;
  HWND Transcript(int room = 1) const;
  HWND InputBox(int room = 1) const;
  // The Edit at the end of frame > AOL Toolbar > _AOL_Toolbar > _AOL_Combobox; nullptr if absent.
  HWND KeywordBox() const;

  std::vector<LogEntry> ReadLog() const;
  // The log's entries of one event, in their order.
  std::vector<LogEntry> Events(std::string_view event) const;
  // Polls the log until pred holds, pumping this thread's messages meanwhile.
  bool WaitForLog(const std::function<bool(const std::vector<LogEntry>&)>& pred,
                  int timeoutMs) const;

  // The transcript as an ANSI WM_GETTEXT gives it; throws if the host does not answer.
  std::string TranscriptText(int room = 1) const;

  // Says text as sender in the room through WM_COPYDATA; throws if the host refuses the line.
  void Say(const std::string& sender, const std::string& text, int room = 1) const;
  // Makes the host stop answering for ms milliseconds the way a person would, with
  // "PracticeHost.exe --hang MS"; returns once the host has begun to hang, throws if it does not.
  void Hang(int ms) const;
  // Whether the host finds its heaps sound, asked with "PracticeHost.exe --check-heap"; throws if
  // it does not answer.
  bool HeapSound() const;

 private:
  // The process goes before its log file, which is deleted then.
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

  LogFile log_;
  winkit::ChildProcess process_;
  HWND frame_ = nullptr;
};

}  // namespace practicehost
