#include "winkit/Debugger.h"

#include <windows.h>

#include <cstdio>
#include <exception>

namespace winkit {

void ReportCaught(const char* where) noexcept {
  const char* what = "an exception of no known type";
  try {
    throw;
  } catch (const std::exception& caught) {
    // Still alive: the caller's handler holds the same exception.
    what = caught.what();
  } catch (...) {
  }
  constexpr std::size_t kLongest = 512;
  char line[kLongest];
  std::snprintf(line, sizeof line, "%s: stopped %s", where, what);
  Report(line);
}

void Report(const char* line) noexcept {
  // One piece of output, so that other threads' lines do not fall between its parts.
  constexpr std::size_t kLongest = 1024;
  char text[kLongest];
  std::snprintf(text, sizeof text, "%s\n", line);
  OutputDebugStringA(text);
}

}  // namespace winkit
