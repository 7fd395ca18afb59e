#pragma once
// Another program run from this one, ended when its owner goes unless it ended by itself.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "winkit/Handles.h"

namespace winkit {

// Quotes an argument so that CommandLineToArgvW (and the C runtime) give it back unchanged.
std::string QuoteArgument(std::string_view argument);

// The folder of this program's file, with a trailing separator; throws std::runtime_error.
std::string ProgramFolder();

class ChildProcess {
 public:
  static constexpr DWORD kEndWaitMs = 10000;
  static constexpr UINT kTerminatedExitCode = 1;

  ChildProcess() = default;
  // Starts `program` with the whole `commandLine` (UTF-8, the program's own name first); throws
  // std::runtime_error when it cannot start.
  ChildProcess(const std::string& program, const std::string& commandLine);
  ChildProcess(ChildProcess&&) noexcept = default;
  ChildProcess& operator=(ChildProcess&& other) noexcept;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess() { Terminate(); }

  HANDLE Handle() const { return process_.Get(); }
  DWORD Pid() const { return pid_; }
  // True once the process has ended, waiting up to `timeoutMs` for it.
  bool Exited(DWORD timeoutMs = 0) const;
  // Its exit code once it has ended, or nothing on time-out.
  std::optional<DWORD> Wait(DWORD timeoutMs) const;
  // Ends it unless it has ended, and waits (bounded) until it has.
  void Terminate();

 private:
  UniqueHandle process_;
  DWORD pid_ = 0;
};

}  // namespace winkit
