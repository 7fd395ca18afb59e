#include "win32/formkit/Win32Platform.h"

#include <deque>
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
constexpr winkit::WindowClass kPostedClass{.name = L"Zibbet.Posted"};
constexpr UINT kRunPosted = WM_APP;

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

// Tasks run as the messages of a message-only window, so the main loop, every nested pump and
// the system's modal loops (a window being dragged) all run them.
class Win32Platform::PostedTasks final : winkit::Window {
 public:
  explicit PostedTasks(HINSTANCE instance) {
    Create(instance, kPostedClass, nullptr, 0, 0, {0, 0, 0, 0}, HWND_MESSAGE);
  }

  void Post(std::function<void()> task) {
    tasks_.push_back(std::move(task));
    // One message wakes them all; should the queue refuse it, the tasks wait for the next post
    // rather than run under the handler that posted them.
    if (!woken_ && Handle() != nullptr) {
      woken_ = PostMessageW(Handle(), kRunPosted, 0, 0) != FALSE;
    }
  }

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != kRunPosted) {
      return Default(message, wParam, lParam);
    }
    woken_ = false;
    while (!tasks_.empty()) {
      const std::function<void()> task = std::move(tasks_.front());
      tasks_.pop_front();
      try {
        task();
      } catch (...) {
        winkit::ReportCaught("a posted task");
      }
    }
    return 0;
  }

  std::deque<std::function<void()>> tasks_;
  bool woken_ = false;
};

Win32Platform::Win32Platform(HINSTANCE module)
    : module_(module),
      waiter_(&PreTranslateFormMessage),
      posted_(std::make_unique<PostedTasks>(module)) {}

Win32Platform::~Win32Platform() = default;

void Win32Platform::Post(std::function<void()> task) { posted_->Post(std::move(task)); }

std::unique_ptr<formkit::FormView> Win32Platform::CreateView(formkit::Program& program,
                                                             formkit::FormId /*id*/,
                                                             formkit::Form& form) {
  return std::make_unique<FormWindow>(program, form, module_, cascade_);
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
