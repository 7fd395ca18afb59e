#include "win32/forms/Win32Platform.h"

#include <utility>

#include "win32/forms/FormWindow.h"
#include "win32/forms/Scoped.h"

namespace forms_win32 {
namespace {

constexpr wchar_t kTickerClass[] = L"Zibbet.Ticker";
constexpr UINT_PTR kTickerTimerId = 1;

// A timer on a message-only window of its own, so that it needs no form to hang on.
class WindowTicker final : public forms::Ticker {
 public:
  WindowTicker(HINSTANCE instance, int milliseconds, std::function<void()> tick)
      : tick_(std::move(tick)) {
    RegisterClassOnce(instance, kTickerClass, &Proc, nullptr);
    window_.Reset(CreateWindowExW(0, kTickerClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  instance, this));
    if (window_) {
      timer_ = WindowTimer(window_.Get(), kTickerTimerId, static_cast<UINT>(milliseconds));
    }
  }
  ~WindowTicker() override {
    timer_.Reset();
    if (window_) {
      SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
    }
  }
  WindowTicker(const WindowTicker&) = delete;
  WindowTicker& operator=(const WindowTicker&) = delete;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<WindowTicker*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_TIMER && wParam == kTickerTimerId) {
      // A copy: the tick may destroy this ticker, and its function with it.
      const std::function<void()> tick = self->tick_;
      tick();
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  std::function<void()> tick_;
  UniqueWindow window_;
  WindowTimer timer_;
};

}  // namespace

int DisplayDpi() {
  const WindowDc screen(nullptr);
  return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

Win32Platform::Win32Platform(HINSTANCE module)
    : module_(module), dpi_(DisplayDpi()), waiter_(&PreTranslateFormMessage) {}

std::unique_ptr<forms::FormView> Win32Platform::CreateView(forms::Program& program,
                                                           forms::FormId id, forms::Form& form) {
  return std::make_unique<FormWindow>(program, id, form, module_, dpi_);
}

void Win32Platform::Exit() { ExitProcess(0); }

std::unique_ptr<forms::Ticker> Win32Platform::Every(int milliseconds, std::function<void()> tick) {
  return std::make_unique<WindowTicker>(module_, milliseconds, std::move(tick));
}

int RunMessageLoop() {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (PreTranslateFormMessage(message)) {
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace forms_win32
