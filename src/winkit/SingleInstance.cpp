#include "winkit/SingleInstance.h"

#include <iterator>
#include <ranges>
#include <utility>
#include <vector>

#include "winkit/Window.h"

namespace winkit {
namespace {

// What the listening window answers a wake with; the default handling answers 0.
constexpr LRESULT kAwake = 1;
constexpr DWORD kLookAgainMs = 50;

struct Search {
  std::wstring_view prefix;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectVisible(HWND window, LPARAM lParam) {
  auto& search = *reinterpret_cast<Search*>(lParam);
  // A class name is at most 256 characters.
  wchar_t name[257] = {};
  const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
  if (IsWindowVisible(window) != FALSE &&
      std::wstring_view(name, length > 0 ? length : 0).starts_with(search.prefix)) {
    search.found.push_back(window);
  }
  return TRUE;
}

}  // namespace

// A message-only window: another copy finds it by its class, and it takes the wake message.
class SingleInstance::Listener final : public Window {
 public:
  Listener(HINSTANCE module, const std::wstring& className, UINT wake, std::function<void()> onWake)
      : wake_(wake), onWake_(std::move(onWake)) {
    Create(module, {.name = className.c_str()}, nullptr, 0, 0, {0, 0, 0, 0}, HWND_MESSAGE);
  }
  ~Listener() override { Destroy(); }

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == wake_ && wake_ != 0) {
      onWake_();
      return kAwake;
    }
    return Default(message, wParam, lParam);
  }

  UINT wake_;
  std::function<void()> onWake_;
};

SingleInstance::SingleInstance(std::wstring_view name)
    : name_(name), wake_(RegisterWindowMessageW(name_.c_str())) {
  const std::wstring mutexName = L"Local\\" + name_;
  HANDLE mutex = CreateMutexW(nullptr, FALSE, mutexName.c_str());
  const DWORD error = GetLastError();
  mutex_.Reset(mutex);
  // Another user's copy in this session may hold it with access denied to this one.
  first_ = mutex_ ? error != ERROR_ALREADY_EXISTS : error != ERROR_ACCESS_DENIED;
  if (!first_) {
    // Only the first copy keeps the name alive: once it ends, the next start is the first again.
    mutex_.Reset();
  }
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::Listen(HINSTANCE module, std::function<void()> onWake) {
  listener_ = std::make_unique<Listener>(module, name_, wake_, std::move(onWake));
  return listener_->Handle() != nullptr;
}

bool SingleInstance::WakeFirst(DWORD findMs) const {
  if (wake_ == 0) {
    return false;
  }
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND listener = FindWindowExW(HWND_MESSAGE, nullptr, name_.c_str(), nullptr)) {
      DWORD pid = 0;
      GetWindowThreadProcessId(listener, &pid);
      AllowSetForegroundWindow(pid);
      DWORD_PTR answer = 0;
      if (SendMessageTimeoutW(listener, wake_, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &answer) != 0) {
        return answer == static_cast<DWORD_PTR>(kAwake);
      }
    }
    if (GetTickCount() - start >= findMs) {
      return false;
    }
    Sleep(kLookAgainMs);
  }
}

int BringBackWindows(std::wstring_view classPrefix) {
  // The system lists a thread's windows in their order on the screen, the topmost first.
  Search search{classPrefix, {}};
  EnumThreadWindows(GetCurrentThreadId(), &CollectVisible, reinterpret_cast<LPARAM>(&search));
  if (search.found.empty()) {
    return 0;
  }
  // Restoring activates: the lower ones first, so that the one in front comes last.
  for (HWND window : std::ranges::reverse_view(search.found)) {
    if (IsIconic(window) != FALSE) {
      ShowWindow(window, SW_RESTORE);
    }
  }
  SetForegroundWindow(search.found.front());
  return static_cast<int>(search.found.size());
}

}  // namespace winkit
