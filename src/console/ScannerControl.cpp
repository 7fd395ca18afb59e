// The scanner as the main window hosts it, apart from the scanner itself, which needs no forms.
#include <string>
#include <utility>

#include "console/ChatScanner.h"

namespace console {

ScannerControl::ScannerControl(forms::Program& program, hostwin::WindowAccess& windows,
                               forms::FormId id, std::string_view name)
    : program_(program),
      scanner_(windows,
               [&program, id, event = std::string(name) + "_ChatMsg"](const ChatLine& line) {
                 program.Raise(id, event, {line.sender, line.text});
               }) {}

void ScannerControl::Call(std::string_view method) {
  if (method != "Start") {
    return;
  }
  scanner_.Start();
  if (!ticker_) {
    ticker_ = program_.GetPlatform().Every(kPollMilliseconds, [this] { scanner_.Poll(); });
  }
}

}  // namespace console
