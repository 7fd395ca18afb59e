#include "win32/formkit/Win32Platform.h"

#include <string>
#include <utility>

#include "win32/formkit/FormWindow.h"
#include "winkit/Debugger.h"
#include "winkit/Handles.h"
#include "winkit/MessagePump.h"
#include "winkit/Window.h"

namespace formkit_win32 {
namespace {

constexpr winkit::WindowClass kTickerClass{.name = L"Zibbet.Ticker"};
constexpr UINT_PTR kTickerTimerId = 1;

// A timer on a message-only window of its own, so that it needs no form to hang on.
class WindowTicker final : public formkit::Ticker, winkit::Window {
 public:
  WindowTicker(HINSTANCE instance, int milliseconds, std::function<void()> tick)
      : tick_(std::move(tick)) {
    if (Create(instance, kTickerClass, nullptr, 0, 0, {0, 0, 0, 0}, HWND_MESSAGE)) {
      timer_ = winkit::WindowTimer(Handle(), kTickerTimerId, static_cast<UINT>(milliseconds));
    }
  }

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_TIMER && wParam == kTickerTimerId) {
      // A copy: the tick may destroy this ticker, and its function with it. A tick that throws
      // is a tick lost, never one that unwinds through user32.
      const std::function<void()> tick = tick_;
      try {
        tick();
      } catch (...) {
        winkit::ReportCaught("a ticker's tick");
      }
      return 0;
    }
    return Default(message, wParam, lParam);
  }

  std::function<void()> tick_;
  winkit::WindowTimer timer_;
};

}  // namespace

Win32Platform::Win32Platform(HINSTANCE module)
    : module_(module), waiter_(&PreTranslateFormMessage) {}

std::unique_ptr<formkit::FormView> Win32Platform::CreateView(formkit::Program& program,
                                                             formkit::FormId id,
                                                             formkit::Form& form) {
  return std::make_unique<FormWindow>(program, id, form, module_, cascade_);
}

void Win32Platform::WaitSeconds(int seconds) { formkit::WaitSeconds(waiter_, seconds); }

void Win32Platform::Exit() { ExitProcess(0); }

std::unique_ptr<formkit::Ticker> Win32Platform::Every(int milliseconds,
                                                      std::function<void()> tick) {
  return std::make_unique<WindowTicker>(module_, milliseconds, std::move(tick));
}

void Win32Platform::Fault(std::string_view message) {
  winkit::Report(("Zibbet: " + std::string(message)).c_str());
}

void WaitSeconds(int seconds) {
  Win32WaitHost host;
  formkit::WaitSeconds(host, seconds);
}

int RunMessageLoop() { return winkit::RunMessageLoop(&PreTranslateFormMessage); }

}  // namespace formkit_win32
