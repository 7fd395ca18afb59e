#include "Programs.h"

#include <stdexcept>
#include <string>

#include "Clocks.h"
#include "console/MainWindow.h"
#include "fade/Fade.h"
#include "forms/Forms.h"
#include "win32/formkit/FormWindow.h"
#include "win32/formkit/Win32Platform.h"
#include "winkit/Dpi.h"
#include "winkit/MessagePump.h"
#include "winkit/Text.h"

namespace bench {
namespace {

using practicehost::HostProcess;
using practicehost::LogEntry;

constexpr DWORD kWindowPollMs = 2;  // the resolution of the time to a window shown

winkit::ChildProcess StartBesideThisProgram(const char* name) {
  const std::string path = winkit::ProgramFolder() + name;
  return {path, winkit::QuoteArgument(path)};
}

// The process's visible top-level window of a window class, or nullptr.
HWND VisibleWindow(DWORD pid, const std::wstring& className) {
  for (HWND window = FindWindowExW(nullptr, nullptr, className.c_str(), nullptr); window != nullptr;
       window = FindWindowExW(nullptr, window, className.c_str(), nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == pid && IsWindowVisible(window) != FALSE) {
      return window;
    }
  }
  return nullptr;
}

// Returns once the window's thread has handled everything before: it can take input.
void WaitUntilAnswering(HWND window) {
  DWORD_PTR result = 0;
  if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kStepMs, &result) == 0) {
    throw std::runtime_error("Zibbet.exe does not answer");
  }
}

}  // namespace

Zibbet::Zibbet() : started_(Clock::now()), process_(StartBesideThisProgram("Zibbet.exe")) {}

HWND WaitForForm(const Zibbet& zibbet, formkit::FormId form) {
  const std::wstring className = formkit_win32::WindowClassName(forms::DescriptionOf(form).name);
  HWND window = nullptr;
  winkit::PumpUntil([&] { return (window = VisibleWindow(zibbet.Pid(), className)) != nullptr; },
                    kStepMs, kWindowPollMs);
  if (window == nullptr) {
    throw std::runtime_error("Zibbet.exe showed no window of its form");
  }
  return window;
}

Click PostClick(HWND window, POINT client) {
  const Click click{Clock::now(), EpochMilliseconds()};
  const LPARAM where = MAKELPARAM(client.x, client.y);
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
  PostMessageW(window, WM_LBUTTONUP, 0, where);
  return click;
}

const formkit::ControlDesc& ControlOf(formkit::FormId form, std::string_view control) {
  const formkit::FormDesc& desc = forms::DescriptionOf(form);
  return desc.controls[formkit::IndexOf(desc, control).value()];
}

POINT ControlCentre(formkit::FormId form, std::string_view control) {
  const int dpi = winkit::SystemDpi();
  const formkit::ControlDesc& desc = ControlOf(form, control);
  return {formkit::TwipsToPixels(desc.left + desc.width / 2, dpi),
          formkit::TwipsToPixels(desc.top + desc.height / 2, dpi)};
}

std::optional<LogEntry> WaitForSaid(const HostProcess& host, std::size_t seen,
                                    std::u16string_view banner, int timeoutMs) {
  // As the host logs it: faded, in UTF-8.
  const std::string markup = winkit::ToUtf8(fade::FadeText(banner));
  std::optional<LogEntry> found;
  host.WaitForLog(
      [&](const std::vector<LogEntry>& log) {
        for (std::size_t i = seen; i < log.size() && !found; ++i) {
          if (log[i].event == "said" && log[i].markup == markup) {
            found = log[i];
          }
        }
        return found.has_value();
      },
      timeoutMs);
  return found;
}

Opening OpenConsole(const HostProcess& host, const Zibbet& zibbet) {
  Opening opening;
  const HWND splash = WaitForForm(zibbet, formkit::FormId::Form2);
  opening.toSplash = SecondsSince(zibbet.Started());
  RECT client{};
  GetClientRect(splash, &client);
  const std::size_t seen = host.ReadLog().size();
  const Click click = PostClick(splash, {client.right / 2, client.bottom / 2});
  const std::optional<LogEntry> loaded = WaitForSaid(host, seen, console::kLoadedBanner);
  if (!loaded) {
    throw std::runtime_error("no loaded banner after the splash click");
  }
  opening.toLoaded = SecondsBetween(click.epochMs, loaded->t);
  opening.console = WaitForForm(zibbet, formkit::FormId::Form1);
  WaitUntilAnswering(opening.console);
  opening.toAnswering = SecondsSince(click.at);
  return opening;
}

Click ClickForBanner(const HostProcess& host, HWND console, std::string_view label,
                     std::u16string_view banner) {
  const std::size_t seen = host.ReadLog().size();
  const Click click = PostClick(console, ControlCentre(formkit::FormId::Form1, label));
  if (!WaitForSaid(host, seen, banner)) {
    throw std::runtime_error("a console click said no banner");
  }
  return click;
}

std::optional<double> CloseByX(const HostProcess& host, const Zibbet& zibbet, HWND console) {
  const std::size_t seen = host.ReadLog().size();
  const Click click = PostClick(console, ControlCentre(formkit::FormId::Form1, "Label3"));
  if (WaitForSaid(host, seen, console::kUnloadedBanner) && zibbet.Exited(kStepMs)) {
    return SecondsSince(click.at);
  }
  return std::nullopt;
}

}  // namespace bench
