#include "winkit/ChildProcess.h"

#include <stdexcept>
#include <utility>

#include "winkit/Text.h"

namespace winkit {

std::string QuoteArgument(std::string_view argument) {
  if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string_view::npos) {
    return std::string(argument);
  }
  // Backslashes double only where a quote follows them, ours at the end included.
  std::string quoted = "\"";
  std::size_t backslashes = 0;
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

std::string ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) {
      throw std::runtime_error("cannot find this program's path");
    }
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  return ToUtf8(std::wstring_view(path).substr(0, slash == std::wstring::npos ? 0 : slash + 1));
}

ChildProcess::ChildProcess(const std::string& program, const std::string& commandLine) {
  const std::wstring application = WideFromUtf8(program);
  std::wstring line = WideFromUtf8(commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &info) == FALSE) {
    throw std::runtime_error("cannot start " + program + " (error " +
                             std::to_string(GetLastError()) + ")");
  }
  process_.Reset(info.hProcess);
  const UniqueHandle thread(info.hThread);
  pid_ = info.dwProcessId;
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
  if (this != &other) {
    Terminate();
    process_ = std::move(other.process_);
    pid_ = std::exchange(other.pid_, 0);
  }
  return *this;
}

bool ChildProcess::Exited(DWORD timeoutMs) const {
  return !process_ || WaitForSingleObject(process_.Get(), timeoutMs) == WAIT_OBJECT_0;
}

std::optional<DWORD> ChildProcess::Wait(DWORD timeoutMs) const {
  DWORD exitCode = 0;
  if (!process_ || !Exited(timeoutMs) || GetExitCodeProcess(process_.Get(), &exitCode) == FALSE) {
    return std::nullopt;
  }
  return exitCode;
}

void ChildProcess::Terminate() {
  if (!Exited()) {
    TerminateProcess(process_.Get(), kTerminatedExitCode);
    WaitForSingleObject(process_.Get(), kEndWaitMs);
  }
  process_.Reset();
}

}  // namespace winkit
