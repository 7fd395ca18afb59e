#include "win32/BackgroundThread.h"

#include <utility>

#include "winkit/Debugger.h"
#include "winkit/MessageWait.h"
#include "winkit/Window.h"

namespace win32 {

// Posted to the mailbox when a piece of work has ended (WM_APP: the class is this module's own).
constexpr UINT kFinished = WM_APP;

class BackgroundThread::Mailbox final : public winkit::Window {
 public:
  explicit Mailbox(BackgroundThread& owner) : owner_(owner) {
    static constexpr winkit::WindowClass kClass{.name = L"Zibbet.Background"};
    Create(GetModuleHandleW(nullptr), kClass, nullptr, 0, 0, {}, HWND_MESSAGE);
  }
  Mailbox(const Mailbox&) = delete;
  Mailbox& operator=(const Mailbox&) = delete;
  ~Mailbox() override { Destroy(); }

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kFinished) {
      owner_.Finished();
      return 0;
    }
    return Default(message, wParam, lParam);
  }

  BackgroundThread& owner_;
};

BackgroundThread::BackgroundThread()
    : mailbox_(std::make_unique<Mailbox>(*this)),
      wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
  if (mailbox_->Handle() != nullptr && wake_) {
    thread_.Reset(CreateThread(nullptr, 0, &Main, this, 0, nullptr));
    // Splitting a long text is work the window's thread must not wait behind on a busy machine.
    SetThreadPriority(thread_.Get(), THREAD_PRIORITY_BELOW_NORMAL);
  }
}

BackgroundThread::~BackgroundThread() {
  if (thread_) {
    // Work under way asks the client with bounded waits: this ends within one of them.
    stopping_ = true;
    SetEvent(wake_.Get());
    WaitForSingleObject(thread_.Get(), INFINITE);
  }
}

bool BackgroundThread::Run(std::function<void()> work, std::function<void()> done) {
  if (busy_) {
    return false;
  }
  if (!thread_) {
    work();
    done();
    return true;
  }
  busy_ = true;
  work_ = std::move(work);
  done_ = std::move(done);
  // The event's signal orders these writes before the thread's reads.
  SetEvent(wake_.Get());
  return true;
}

double BackgroundThread::Seconds() { return winkit::MonotonicSeconds(); }

DWORD WINAPI BackgroundThread::Main(LPVOID self) {
  static_cast<BackgroundThread*>(self)->Loop();
  return 0;
}

void BackgroundThread::Loop() {
  while (WaitForSingleObject(wake_.Get(), INFINITE) == WAIT_OBJECT_0 && !stopping_) {
    try {
      work_();
    } catch (...) {
      winkit::ReportCaught("work in the background");
    }
    work_ = nullptr;
    // A full queue refuses the post; nothing else ends the piece, so it is posted again.
    constexpr DWORD kRetryMilliseconds = 50;
    while (PostMessageW(mailbox_->Handle(), kFinished, 0, 0) == FALSE && !stopping_) {
      Sleep(kRetryMilliseconds);
    }
  }
}

void BackgroundThread::Finished() {
  busy_ = false;
  const std::function<void()> done = std::exchange(done_, nullptr);
  if (done) {
    done();
  }
}

}  // namespace win32
