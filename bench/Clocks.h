#pragma once
// Processor time and the practice host's wall clock, as the rows measure them.

#include <windows.h>

#include "Table.h"
#include "practicehost/testing/HostProcess.h"
#include "winkit/Handles.h"

namespace bench {

// Processor seconds used so far by a process (this one by default), or this thread.
double ProcessorSeconds(HANDLE process = GetCurrentProcess());
double ThreadSeconds();

// The practice host's own process, for comparisons; throws if it cannot be opened.
winkit::UniqueHandle OpenHost(const practicehost::HostProcess& host);

// Now on the clock of the practice host's log: Unix-epoch milliseconds.
long long EpochMilliseconds();
double SecondsBetween(long long fromEpochMs, long long toEpochMs);

// The processor share of `run`: processor seconds over wall seconds.
template <typename Run>
double ProcessorShare(Run run) {
  const double cpu = ProcessorSeconds();
  const auto start = Clock::now();
  run();
  return (ProcessorSeconds() - cpu) / SecondsSince(start);
}

}  // namespace bench
