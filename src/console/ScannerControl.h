#pragma once

#include <functional>
#include <memory>

#include "formkit/Program.h"
#include "hostwin/ChatScanner.h"
#include "hostwin/WindowAccess.h"

namespace console {

// The chat scanner as the main window hosts it: the start call begins the watch, polled on the
// window's thread (its reads run in the background), and every line said in the room after it
// goes to the owner's callback on that thread.
class ScannerControl final : public formkit::Component {
 public:
  static constexpr int kPollMilliseconds = 100;

  ScannerControl(formkit::Platform& platform, hostwin::WindowAccess& windows,
                 std::unique_ptr<hostwin::Background> background,
                 hostwin::ChatScanner::Deliver onLine);
  void Start() override;

 private:
  formkit::Platform& platform_;
  hostwin::ChatScanner scanner_;
  std::unique_ptr<formkit::Ticker> ticker_;
};

}  // namespace console
