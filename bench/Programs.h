#pragma once
// Zibbet.exe run beside the practice host, driven as a user would: wait for a window, click a
// label of the console, wait for the banner it says.

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "Table.h"
#include "formkit/Program.h"
#include "practicehost/testing/HostProcess.h"
#include "winkit/ChildProcess.h"

namespace bench {

inline constexpr int kStepMs = 30000;  // for any one step: generous, as Wine may start slowly

// Zibbet.exe from this program's folder; ended when the object goes, also when a step fails.
class Zibbet {
 public:
  Zibbet();

  HANDLE Handle() const { return process_.Handle(); }
  DWORD Pid() const { return process_.Pid(); }
  Clock::time_point Started() const { return started_; }
  bool Exited(DWORD waitMs) const { return process_.Exited(waitMs); }

 private:
  Clock::time_point started_;
  winkit::ChildProcess process_;
};

// The form's window once the process shows it; throws on time-out.
HWND WaitForForm(const Zibbet& zibbet, formkit::FormId form);

// A posted left click (the forms act on the press), and when it was posted on both clocks: the
// host's log for banners, the steady one for the rest.
struct Click {
  Clock::time_point at;
  long long epochMs = 0;
};
Click PostClick(HWND window, POINT client);
const formkit::ControlDesc& ControlOf(formkit::FormId form, std::string_view control);
// The centre of a control of the form, in client pixels at the display's resolution.
POINT ControlCentre(formkit::FormId form, std::string_view control);

// The first line said with this banner, faded, among the log's entries past the first `seen`.
std::optional<practicehost::LogEntry> WaitForSaid(const practicehost::HostProcess& host,
                                                  std::size_t seen, std::u16string_view banner,
                                                  int timeoutMs = kStepMs);

struct Opening {
  double toSplash = 0;     // from CreateProcess to the splash shown
  double toLoaded = 0;     // from the splash click to the loaded banner in the log
  double toAnswering = 0;  // from the splash click to the console taking input
  HWND console = nullptr;
};
// Waits for the splash, clicks its picture and waits for the loaded banner and the console.
Opening OpenConsole(const practicehost::HostProcess& host, const Zibbet& zibbet);

// Clicks a console label and waits for the banner it says; throws if none comes.
Click ClickForBanner(const practicehost::HostProcess& host, HWND console, std::string_view label,
                     std::u16string_view banner);

// Clicks the console's X. The seconds to the process's end once the unloaded banner is said and
// the process has ended; nothing otherwise.
std::optional<double> CloseByX(const practicehost::HostProcess& host, const Zibbet& zibbet,
                               HWND console);

}  // namespace bench
