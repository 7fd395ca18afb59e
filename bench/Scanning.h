#pragma once
// The chat scanner polled on this thread as the console polls it, against the practice host.

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "Table.h"
#include "hostwin/ChatScanner.h"
#include "practicehost/testing/HostProcess.h"
#include "win32/User32Windows.h"
#include "winkit/Window.h"

namespace bench {

// A window on this thread whose timer polls the scanner, and which takes posted clicks, noting
// how long each waited in the queue.
class ScannerWindow final : winkit::Window {
 public:
  explicit ScannerWindow(hostwin::ChatScanner& scanner);

  // Posts a click from any thread.
  void Click();
  std::vector<double> Waits();

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  hostwin::ChatScanner& scanner_;
  winkit::WindowTimer timer_;
  std::mutex mutex_;
  std::vector<Clock::time_point> posted_;
  std::vector<double> waits_;
};

// A scanner started on the host's room and polled from its window while this thread pumps.
class ScannerRun {
 public:
  explicit ScannerRun(const practicehost::HostProcess& host);

  // Says `lines` lines one by one, at every phase of the poll, line i's text being text(i); the
  // milliseconds each took to be heard. A line not heard within 5 s has no entry.
  std::vector<double> Latencies(int lines, const std::function<std::string(int)>& text);
  int Heard() const { return heard_; }
  ScannerWindow& Window() { return window_; }

 private:
  const practicehost::HostProcess& host_;
  win32::User32Windows windows_;
  std::atomic<int> heard_{0};
  Clock::time_point heardAt_;
  hostwin::ChatScanner scanner_;
  ScannerWindow window_;
};

// The value at quantile q (0 to 1) of the sorted values; -1 for none.
double Percentile(std::vector<double> values, double q);

}  // namespace bench
