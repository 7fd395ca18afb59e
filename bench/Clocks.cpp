#include "Clocks.h"

#include <stdexcept>

namespace bench {
namespace {

// A FILETIME count of 100-ns ticks.
unsigned long long Ticks(const FILETIME& t) {
  ULARGE_INTEGER v{};
  v.LowPart = t.dwLowDateTime;
  v.HighPart = t.dwHighDateTime;
  return v.QuadPart;
}

// What GetProcessTimes and GetThreadTimes fill in.
struct Times {
  FILETIME created{};
  FILETIME ended{};
  FILETIME kernel{};
  FILETIME user{};

  double ProcessorSeconds() const {
    constexpr double kTicksPerSecond = 1e7;
    return static_cast<double>(Ticks(kernel) + Ticks(user)) / kTicksPerSecond;
  }
};

}  // namespace

double ProcessorSeconds(HANDLE process) {
  Times times;
  if (GetProcessTimes(process, &times.created, &times.ended, &times.kernel, &times.user) == FALSE) {
    throw std::runtime_error("GetProcessTimes failed");
  }
  return times.ProcessorSeconds();
}

double ThreadSeconds() {
  Times times;
  GetThreadTimes(GetCurrentThread(), &times.created, &times.ended, &times.kernel, &times.user);
  return times.ProcessorSeconds();
}

long long EpochMilliseconds() {
  constexpr unsigned long long kUnixEpoch = 116444736000000000ULL;  // 1970-01-01 in FILETIME
  constexpr unsigned long long kTicksPerMs = 10000;
  FILETIME now{};
  GetSystemTimePreciseAsFileTime(&now);
  return static_cast<long long>((Ticks(now) - kUnixEpoch) / kTicksPerMs);
}

double SecondsBetween(long long fromEpochMs, long long toEpochMs) {
  constexpr double kMsPerSecond = 1e3;
  return static_cast<double>(toEpochMs - fromEpochMs) / kMsPerSecond;
}

winkit::UniqueHandle OpenHost(const practicehost::HostProcess& host) {
  winkit::UniqueHandle process(
      OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, host.Pid()));
  if (!process) {
    throw std::runtime_error("cannot open the practice host's process");
  }
  return process;
}

}  // namespace bench
