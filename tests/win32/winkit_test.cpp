// winkit on real windows of this process: pumps, windows gone or failing in their own handlers,
// handle owners, subclassing, window moves, one running copy.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>

#include "winkit/MessageWait.h"
#include "winkit/SingleInstance.h"
#include "winkit/Subclass.h"
#include "winkit/Window.h"
#include "winkit/WindowMoves.h"

namespace {

constexpr UINT kGo = WM_APP + 1;

// A window of this process that answers kGo with onGo; shown as `show` when it has a frame.
class Probe final : public winkit::Window {
 public:
  explicit Probe(std::function<LRESULT()> onGo, const wchar_t* className = L"Probe", int show = -1)
      : onGo_(std::move(onGo)) {
    Create(GetModuleHandleW(nullptr), {.name = className}, L"",
           show < 0 ? WS_POPUP : WS_OVERLAPPEDWINDOW, 0, {40, 40, 200, 150});
    ShowWindow(Handle(), show < 0 ? SW_HIDE : show);
  }

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    return message == kGo ? onGo_() : Default(message, wParam, lParam);
  }
  std::function<LRESULT()> onGo_;
};

// A quit a pump meets is put back: the main loop around it ends with its code. A wait's pump
// handles one message, so that the wait looks at its end between two.
TEST(Pumps, AQuitMetByAPumpIsPutBackForTheMainLoopAWaitHandlesOneMessage) {
  const std::function<bool()> pumps[] = {
      [] { return winkit::PumpOne(5000) == winkit::Pumped::Quit; },
      [] { return !winkit::PumpUntil([] { return false; }, 5000); },
      [] { return !winkit::DrainMessages(); }};
  for (int i = 0; i < 3; ++i) {
    const DWORD start = GetTickCount();
    PostQuitMessage(40 + i);
    EXPECT_TRUE(pumps[i]() && GetTickCount() - start < 2000) << i;  // by the quit, not time
    EXPECT_EQ(winkit::RunMessageLoop(), 40 + i);
  }
  int calls = 0;
  const Probe probe([&] { return LRESULT{++calls}; });
  PostMessageW(probe.Handle(), kGo, 0, 0);
  PostMessageW(probe.Handle(), kGo, 0, 0);
  EXPECT_TRUE(winkit::MessageWait().PumpMessages(0) && calls == 1);
}

// Deleted or destroyed inside its handler, the window is dead and reaches nothing any more; an
// exception ends in the procedure with the default answer, and the window goes on.
TEST(Windows, OneGoneOrThrowingInsideItsOwnHandlerDoesNoHarm) {
  for (int how = 0; how < 3; ++how) {
    int calls = 0;
    std::unique_ptr<Probe> probe;
    probe = std::make_unique<Probe>([&]() -> LRESULT {
      ++calls;
      how == 0   ? probe.reset()
      : how == 1 ? static_cast<void>(DestroyWindow(probe->Handle()))
                 : throw 42;
      return 1;
    });
    const HWND window = probe->Handle();
    const bool gone = how < 2;
    EXPECT_EQ(SendMessageW(window, kGo, 0, 0), gone ? 1 : 0) << how;
    EXPECT_EQ(winkit::Window::FromHandle(window), gone ? nullptr : probe.get()) << how;
    SendMessageW(window, kGo, 0, 0);
    EXPECT_EQ(calls, gone ? 1 : 2) << how;
  }
}

TEST(Handles, MovesHandOverAndFreeTheReplacedOneReleaseGivesItUp) {
  const HBRUSH first = CreateSolidBrush(0);
  const HBRUSH second = CreateSolidBrush(0);
  winkit::UniqueBrush owner(second);
  winkit::UniqueBrush other(first);
  owner = winkit::UniqueBrush(std::move(other));  // move-construct, then move-assign
  EXPECT_TRUE(!other && GetObjectType(first) != 0 && GetObjectType(second) == 0);  // NOLINT
  owner.Reset(owner.Release());
  EXPECT_NE(GetObjectType(first), 0U);
  owner.Reset();
  EXPECT_EQ(GetObjectType(first), 0U);
}

// A hook that throws passes the message on; once its owner goes, the window has its own
// procedure back.
TEST(Subclass, AThrowingHookPassesOnTheOwnersEndPutsTheProcedureBack) {
  const Probe probe([] { return LRESULT{1}; });
  const LONG_PTR own = GetWindowLongPtrW(probe.Handle(), GWLP_WNDPROC);
  auto hook = std::make_unique<winkit::Subclass>();
  hook->Install(probe.Handle(), [](UINT, WPARAM, LPARAM) -> std::optional<LRESULT> { throw 42; });
  EXPECT_EQ(SendMessageW(probe.Handle(), kGo, 0, 0), 1);
  EXPECT_NE(GetWindowLongPtrW(probe.Handle(), GWLP_WNDPROC), own);
  hook.reset();
  EXPECT_EQ(GetWindowLongPtrW(probe.Handle(), GWLP_WNDPROC), own);
}

TEST(MakeTopmost, KeepsPlaceAndSizeAlsoWhenTopmostAlready) {
  const Probe probe([] { return LRESULT{0}; });
  RECT before{}, after{};
  GetWindowRect(probe.Handle(), &before);
  for (int i = 0; i < 2; ++i) {
    winkit::MakeTopmost(probe.Handle());
    GetWindowRect(probe.Handle(), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_NE(GetWindowLongW(probe.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  }
}

// A second claim of the name in the session is not the first; its wake reaches the first, which
// brings back its visible windows of the class: the minimized one restored, the hidden one and
// other classes' windows left as they are. Once the first is gone, the next claim is the first.
TEST(SingleInstance, ASecondWakesTheFirstWhichBringsBackItsVisibleWindowsOfTheClass) {
  constexpr const wchar_t* kName = L"Zibbet.Test.Running";
  auto first = std::make_unique<winkit::SingleInstance>(kName);
  ASSERT_TRUE(first->First());
  int broughtBack = -1;
  ASSERT_TRUE(first->Listen(GetModuleHandleW(nullptr),
                            [&] { broughtBack = winkit::BringBackWindows(L"Zibbet.Test.Form"); }));
  const auto none = [] { return LRESULT{0}; };
  const Probe minimized(none, L"Zibbet.Test.Form1", SW_SHOWMINIMIZED);
  const Probe hidden(none, L"Zibbet.Test.Form2", SW_HIDE);
  const Probe other(none, L"Zibbet.Test.Other", SW_SHOWMINIMIZED);
  ASSERT_TRUE(IsIconic(minimized.Handle()) && IsIconic(other.Handle()));

  const winkit::SingleInstance second(kName);
  EXPECT_FALSE(second.First());
  EXPECT_TRUE(second.WakeFirst(0));
  EXPECT_EQ(broughtBack, 1);
  EXPECT_TRUE(IsWindowVisible(minimized.Handle()) && !IsIconic(minimized.Handle()));
  EXPECT_EQ(GetForegroundWindow(), minimized.Handle());
  EXPECT_FALSE(IsWindowVisible(hidden.Handle()));
  EXPECT_TRUE(IsIconic(other.Handle()));

  first.reset();
  EXPECT_TRUE(winkit::SingleInstance(kName).First());
  EXPECT_FALSE(second.WakeFirst(0));
}

}  // namespace
