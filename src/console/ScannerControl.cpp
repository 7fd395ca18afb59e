#include "console/ScannerControl.h"

#include <utility>

namespace console {

ScannerControl::ScannerControl(formkit::Platform& platform, hostwin::WindowAccess& windows,
                               std::unique_ptr<hostwin::Background> background,
                               hostwin::ChatScanner::Deliver onLine)
    : platform_(platform), scanner_(windows, std::move(background), std::move(onLine)) {}

void ScannerControl::Start() {
  scanner_.Start();
  if (!ticker_) {
    ticker_ = platform_.Every(kPollMilliseconds, [this] { scanner_.Poll(); });
  }
}

}  // namespace console
