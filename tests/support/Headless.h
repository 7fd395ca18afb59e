#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "MemoryWindows.h"
#include "Zibbet.h"
#include "forms/Program.h"
#include "hostwin/Wait.h"

namespace testing_support {

// Thrown by Exit: the program has ended, and nothing of it runs any more.
struct ProgramEnded {};

// A window system without windows and a clock that only moves when the program waits or the
// test lets time pass: every flow runs in microseconds, in a fixed order.
class Headless final : public forms::Platform, public hostwin::WaitHost {
 public:
  struct Line {
    double at;  // seconds since the start
    std::u16string text;
  };

  // The chat client with one room and a welcome window; timeOfDay is when the run starts.
  explicit Headless(double timeOfDay = 36000.25);

  // Runs scheduled events and timer ticks for `seconds`; false once the program has ended.
  bool RunFor(double seconds);
  // Runs `action` (a click, say) at that moment, inside whatever wait is running then.
  void At(double seconds, std::function<void()> action);
  // Runs an action now, as the window system would: an end of the program stops it.
  bool Do(const std::function<void()>& action);

  double Now() const { return now_; }
  bool Ended() const { return ended_; }
  // Lines said in the room, in order: the texts typed into its input box before an Enter.
  const std::vector<Line>& Said() const { return said_; }
  // Another member (or the user, typing by hand) says a line: the transcript gains it.
  void SayInRoom(std::u16string_view sender, std::u16string_view text);
  static constexpr std::u16string_view kScreenName = u"Kestrel Jay";
  MemoryWindows& Client() { return client_; }
  zibbet::ChatClient& Chat() { return chat_; }
  ClientTree& Tree() { return tree_; }
  // What happened to the windows and the room, in order: "load Form3", "show Form5",
  // "front Form5", "hide Form4", "minimize Form3", "topmost Form3", "drag Form3",
  // "unload Form3", "said <line without its font tags>".
  const std::vector<std::string>& Trace() const { return trace_; }
  long Count(std::string_view entry) const { return std::ranges::count(trace_, entry); }
  // A control's text as its window last showed it.
  std::u16string Shown(forms::FormId id, std::string name) const { return shown_.at({id, name}); }

  // forms::Platform
  std::unique_ptr<forms::FormView> CreateView(forms::Program& program, forms::FormId id,
                                              forms::Form& form) override;
  void WaitSeconds(int seconds) override;
  [[noreturn]] void Exit() override;
  std::unique_ptr<forms::Ticker> Every(int milliseconds, std::function<void()> tick) override;
  void Fault(std::string_view message) override;

  // hostwin::WaitHost
  double TimeOfDay() override;
  double Monotonic() override { return now_; }
  bool PumpMessages(double maxSeconds) override;

 private:
  class View;
  class VirtualTicker;
  // A timer, or with no interval a scheduled event that runs once.
  struct Timer {
    std::function<void()> tick;
    double due;
    double interval;
    long order;
  };

  // The next tick or event at or before `limit`: events before ticks due at the same time.
  std::optional<std::function<void()>> TakeNext(double limit);

  MemoryWindows client_;
  zibbet::ChatClient chat_{client_};
  ClientTree tree_;
  hostwin::Handle room_ = 0;
  double startOfDay_;
  double now_ = 0;
  bool ended_ = false;
  long order_ = 0;
  std::map<std::string, Timer> timers_;
  std::map<std::pair<forms::FormId, std::string>, std::u16string> shown_;
  std::u16string inputBox_;
  std::vector<Line> said_;
  std::vector<std::string> trace_;
};

// What `action` adds to a record that only grows, such as Trace() or Said().
template <class T>
std::vector<T> Added(const std::vector<T>& record, const std::function<void()>& action) {
  const auto mark = static_cast<long>(record.size());
  action();
  return {record.begin() + mark, record.end()};
}

// Zibbet started on a headless platform: the splash window is up.
struct HeadlessZibbet {
  Headless platform;
  forms::Program program{platform, zibbet::Behaviours(platform.Chat()),
                         zibbet::Components(platform.Chat())};

  HeadlessZibbet() {
    platform.Do([&] { zibbet::Start(program); });
  }
  bool Click(forms::FormId id, std::string_view control) {
    return platform.Do([&] { program.Click(id, control); });
  }
  forms::Form& operator[](forms::FormId id) { return *program.Loaded(id); }
};

}  // namespace testing_support
