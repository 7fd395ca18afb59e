// The console moved to a monitor of another scale, as the system tells it (WM_DPICHANGED, on the
// window's own thread), beside the practice host: it lays itself out again from its description,
// and real clicks find its controls at their new places.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "RealWindows.h"
#include "app/Zibbet.h"
#include "console/MainWindow.h"
#include "fade/Fade.h"
#include "formkit/Description.h"
#include "forms/Forms.h"
#include "hostwin/ChatClient.h"
#include "practicehost/testing/HostProcess.h"
#include "win32/BackgroundThread.h"
#include "win32/User32Windows.h"
#include "win32/formkit/FormWindow.h"
#include "winkit/Dpi.h"
#include "winkit/Text.h"

namespace {

using formkit::FormId;
using testing_win32::Capture;
using testing_win32::Click;
using testing_win32::Pump;

constexpr int kStepMs = 10000;

// As the system sends it when the window's monitor changes scale: the new dpi in both words, and
// the window's rectangle grown or shrunk about its top left.
RECT TellDpiChanged(HWND window, int from, int to) {
  RECT now{};
  GetWindowRect(window, &now);
  RECT suggested{now.left, now.top, now.left + MulDiv(now.right - now.left, to, from),
                 now.top + MulDiv(now.bottom - now.top, to, from)};
  SendMessageW(window, winkit::kDpiChangedMessage, MAKEWPARAM(to, to),
               reinterpret_cast<LPARAM>(&suggested));
  Pump(testing_win32::kSettleMs);
  return suggested;
}

// The share of pixels that differ by more than `tolerance` in some colour channel.
double Differing(const Capture& a, const Capture& b, int tolerance) {
  int differing = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      const COLORREF p = a.At(x, y);
      const COLORREF q = b.At(x, y);
      const int worst =
          std::max({std::abs(GetRValue(p) - GetRValue(q)), std::abs(GetGValue(p) - GetGValue(q)),
                    std::abs(GetBValue(p) - GetBValue(q))});
      differing += worst > tolerance ? 1 : 0;
    }
  }
  return static_cast<double>(differing) / (a.Width() * a.Height());
}

RECT BoxAt(std::string_view control, int dpi) {
  const formkit::FormDesc& desc = forms::DescriptionOf(FormId::Form1);
  const formkit::ControlDesc& c = desc.controls[formkit::IndexOf(desc, control).value()];
  const int left = formkit::TwipsToPixels(c.left, dpi);
  const int top = formkit::TwipsToPixels(c.top, dpi);
  return {left, top, left + formkit::TwipsToPixels(c.width, dpi),
          top + formkit::TwipsToPixels(c.height, dpi)};
}

struct Zibbet {
  practicehost::HostProcess host;
  testing_win32::TestPlatform platform;
  win32::User32Windows windows;
  hostwin::ChatClient chat{windows, [] { return std::make_unique<win32::BackgroundThread>(); }};
  std::unique_ptr<formkit::Program> program = zibbet::Assemble(platform, chat);

  formkit_win32::FormWindow& View(FormId id) {
    return *static_cast<formkit_win32::FormWindow*>(program->Loaded(id)->View());
  }
  bool Said(std::u16string_view banner) const {
    const std::string markup = winkit::ToUtf8(fade::FadeText(banner));
    return host.WaitForLog(
        [&](const std::vector<practicehost::LogEntry>& log) {
          return std::any_of(log.begin(), log.end(), [&](const auto& e) {
            return e.event == "said" && e.markup == markup;
          });
        },
        kStepMs);
  }
};

TEST(Rescale, TheConsoleFollowsItsMonitorsScaleFromItsDescriptionAndIsClickedThere) {
  Zibbet zibbet;
  zibbet::Start(*zibbet.program);
  Pump(testing_win32::kSettleMs);
  const HWND splash = zibbet.View(FormId::Form2).Handle();
  RECT client{};
  GetClientRect(splash, &client);
  Click(splash, {client.right / 2, client.bottom / 2});
  ASSERT_TRUE(zibbet.Said(console::kLoadedBanner));
  formkit_win32::FormWindow& console = zibbet.View(FormId::Form1);
  const HWND window = console.Handle();
  ASSERT_EQ(console.Dpi(), 96) << "runs at 100 %";
  RECT original{};
  GetWindowRect(window, &original);
  const Capture before(window);

  const RECT suggested = TellDpiChanged(window, 96, 144);
  RECT grown{};
  GetWindowRect(window, &grown);
  EXPECT_TRUE(EqualRect(&grown, &suggested));
  EXPECT_NEAR(grown.right - grown.left, 1.5 * (original.right - original.left), 1);
  EXPECT_EQ(console.Dpi(), 144);
  const formkit::FormDesc& desc = forms::DescriptionOf(FormId::Form1);
  RECT box{};
  GetWindowRect(GetDlgItem(window, formkit_win32::ControlId(*formkit::IndexOf(desc, "Text2"))),
                &box);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&box), 2);
  const RECT described = BoxAt("Text2", 144);
  EXPECT_TRUE(EqualRect(&box, &described));
  {
    const Capture after(window);
    const Capture shrunk(after, before.Width(), before.Height());
    // Text is hinted anew at each size and smoothing blurs edges: under a tenth of the pixels
    // differ by more than an eighth of a channel (a picture left at 96 dpi: over half).
    EXPECT_LT(Differing(shrunk, before, 32), 0.15);
  }
  const RECT on = BoxAt("Label6", 144);
  Click(window, {(on.left + on.right) / 2, (on.top + on.bottom) / 2});
  EXPECT_TRUE(zibbet.Said(console::kNowIdleBanner));

  TellDpiChanged(window, 144, 96);
  RECT back{};
  GetWindowRect(window, &back);
  EXPECT_TRUE(EqualRect(&back, &original));
  const Capture again(window);
  EXPECT_EQ(Differing(again, before, 0), 0.0);
}

}  // namespace
