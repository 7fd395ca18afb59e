#include "Scanning.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <stdexcept>

#include "console/ScannerControl.h"
#include "win32/BackgroundThread.h"
#include "winkit/MessagePump.h"

namespace bench {

ScannerWindow::ScannerWindow(hostwin::ChatScanner& scanner) : scanner_(scanner) {
  constexpr winkit::WindowClass kClass{.name = L"Zibbet.BenchScanner"};
  if (!Create(GetModuleHandleW(nullptr), kClass, nullptr, 0, 0, {0, 0, 0, 0}, HWND_MESSAGE)) {
    throw std::runtime_error("no window for the scanner's timer");
  }
  timer_ = winkit::WindowTimer(Handle(), 1, console::ScannerControl::kPollMilliseconds);
}

void ScannerWindow::Click() {
  const std::scoped_lock lock(mutex_);
  posted_.push_back(Clock::now());
  PostMessageW(Handle(), WM_LBUTTONDOWN, posted_.size() - 1, 0);
}

std::vector<double> ScannerWindow::Waits() {
  const std::scoped_lock lock(mutex_);
  return waits_;
}

LRESULT ScannerWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    scanner_.Poll();
    return 0;
  }
  if (message == WM_LBUTTONDOWN) {
    const std::scoped_lock lock(mutex_);
    waits_.push_back(SecondsSince(posted_.at(wParam)));
    return 0;
  }
  return Default(message, wParam, lParam);
}

ScannerRun::ScannerRun(const practicehost::HostProcess& host)
    : host_(host),
      scanner_(windows_, std::make_unique<win32::BackgroundThread>(),
               [this](const hostwin::ChatLine&) {
                 heardAt_ = Clock::now();
                 ++heard_;
               }),
      window_(scanner_) {
  scanner_.Start();
  // The room is first read at the first poll: what is said before that is history.
  constexpr DWORD kFirstReadMs = 300;
  winkit::PumpFor(kFirstReadMs);
}

std::vector<double> ScannerRun::Latencies(int lines, const std::function<std::string(int)>& text) {
  constexpr DWORD kHeardTimeoutMs = 5000;
  std::vector<double> latencies;
  for (int i = 0; i < lines; ++i) {
    const int before = heard_;
    Sleep(static_cast<DWORD>(i * 7 % 50));  // lines arrive at every phase of the poll
    const auto said = Clock::now();
    host_.Say("Bench", text(i));
    if (winkit::PumpUntil([&] { return heard_ > before; }, kHeardTimeoutMs)) {
      latencies.push_back(1e3 * std::chrono::duration<double>(heardAt_ - said).count());
    }
  }
  return latencies;
}

double Percentile(std::vector<double> values, double q) {
  if (values.empty()) {
    return -1;
  }
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(q * static_cast<double>(values.size() - 1))];
}

}  // namespace bench
