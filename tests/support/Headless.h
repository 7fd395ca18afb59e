#pragma once

#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "InlineBackground.h"
#include "MemoryWindows.h"
#include "app/Zibbet.h"
#include "formkit/Program.h"
#include "formkit/Wait.h"
#include "forms/Forms.h"
#include "hostwin/ChatClient.h"

namespace testing_support {

// Thrown by Exit: the program has ended, and nothing of it runs any more.
struct ProgramEnded {};

// A clock that only moves when a wait pumps or the test lets time pass. A pump runs the next event
// or tick due within its sleep, as a message queue hands out one message at a time, else sleeps
// it all; events run before ticks due at the same time, each kind in the order it was set.
class VirtualClock : public formkit::WaitHost {
 public:
  explicit VirtualClock(double timeOfDay) : startOfDay_(timeOfDay) {}

  double Now() const { return now_; }
  // Runs `action` (a click, say) at that moment, inside whatever wait is running then.
  void At(double seconds, std::function<void()> action) {
    timers_["at." + std::to_string(order_)] = {std::move(action), seconds, 0, order_++};
  }

  // formkit::WaitHost
  double TimeOfDay() override { return std::fmod(startOfDay_ + now_, 86400.0); }
  double Monotonic() override { return now_; }
  bool PumpMessages(double maxSeconds) override {
    if (auto next = TakeNext(now_ + maxSeconds)) {
      (*next)();
    } else {
      now_ += maxSeconds;
    }
    return true;
  }

 protected:
  // A timer, or with no interval a scheduled event that runs once.
  struct Timer {
    std::function<void()> tick;
    double due;
    double interval;
    long order;
  };

  // The next tick or event at or before `limit`, the clock moved to it.
  std::optional<std::function<void()>> TakeNext(double limit) {
    const auto next = std::ranges::min_element(timers_, {}, [](const auto& timer) {
      return std::tuple(timer.second.due, timer.second.interval, timer.second.order);
    });
    if (next == timers_.end() || next->second.due > limit) {
      return std::nullopt;
    }
    now_ = std::max(now_, next->second.due);
    auto run = next->second.tick;
    if (next->second.interval > 0) {
      next->second.due += next->second.interval;
    } else {
      timers_.erase(next);
    }
    return run;
  }

  double startOfDay_;
  double now_ = 0;
  long order_ = 0;
  std::map<std::string, Timer> timers_;
};

// A window system without windows on a virtual clock: every flow runs in microseconds, in a
// fixed order.
class Headless final : public formkit::Platform, public VirtualClock {
 public:
  struct Line {
    double at;  // seconds since the start
    std::u16string text;
    std::u16string plain;  // without its font tags
  };

  // The chat client with one room and a welcome window; timeOfDay is when the run starts.
  explicit Headless(double timeOfDay = 36000.25);

  // Runs scheduled events and timer ticks for `seconds`; false once the program has ended.
  bool RunFor(double seconds);
  // Runs an action now, as the window system would: an end of the program stops it.
  bool Do(const std::function<void()>& action);

  bool Ended() const { return ended_; }
  // Lines said in the room, in order: the texts typed into its input box before an Enter.
  const std::vector<Line>& Said() const { return said_; }
  // Another member (or the user, typing by hand) says a line: the transcript gains it.
  void SayInRoom(std::u16string_view sender, std::u16string_view text);
  static constexpr std::u16string_view kScreenName = u"Kestrel Jay";
  MemoryWindows& Client() { return client_; }
  hostwin::ChatClient& Chat() { return chat_; }
  ClientTree& Tree() { return tree_; }
  // What happened to the windows and the room, in order: "load Form3", "show Form5",
  // "front Form5", "hide Form4", "minimize Form3", "topmost Form3", "drag Form3",
  // "unload Form3", "said <line without its font tags>".
  const std::vector<std::string>& Trace() const { return trace_; }
  long Count(std::string_view entry) const { return std::ranges::count(trace_, entry); }
  // A control's text as its window last showed it.
  std::u16string Shown(formkit::FormId id, std::string name) const { return shown_.at({id, name}); }

  // formkit::Platform
  std::unique_ptr<formkit::FormView> CreateView(formkit::Program& program, formkit::FormId id,
                                                formkit::Form& form) override;
  void WaitSeconds(int seconds) override;
  [[noreturn]] void Exit() override;
  std::unique_ptr<formkit::Ticker> Every(int milliseconds, std::function<void()> tick) override;
  void Fault(std::string_view message) override;
  // Runs once the action at hand (Do's, or a scheduled one) returns, or inside a wait's pump.
  void Post(std::function<void()> task) override { posted_.push_back(std::move(task)); }

  // One message at a time, as a queue delivers them, posted ones first; the handler may end the
  // program, in which case ProgramEnded unwinds through this wait to the test's Do.
  bool PumpMessages(double maxSeconds) override {
    if (!posted_.empty()) {
      RunPosted();
    } else {
      VirtualClock::PumpMessages(maxSeconds);
    }
    return !ended_;
  }

 private:
  class View;
  class VirtualTicker;

  void RunPosted();

  MemoryWindows client_;
  // The scanner's reads as one thread sees them.
  hostwin::ChatClient chat_{client_, [] { return std::make_unique<InlineBackground>(); }};
  ClientTree tree_;
  hostwin::Handle room_ = 0;
  bool ended_ = false;
  std::map<std::pair<formkit::FormId, std::string>, std::u16string> shown_;
  std::u16string inputBox_;
  std::vector<Line> said_;
  std::vector<std::string> trace_;
  // Last, so first to go: a window awaiting destruction traces into the members above.
  std::deque<std::function<void()>> posted_;
};

// What `action` adds to a record that only grows, such as Trace() or Said().
template <class T>
std::vector<T> Added(const std::vector<T>& record, const std::function<void()>& action) {
  const auto mark = static_cast<long>(record.size());
  action();
  return {record.begin() + mark, record.end()};
}

// The place of a control the test names; a name the window lacks throws.
inline std::size_t PlaceOf(const formkit::FormDesc& form, std::string_view control) {
  return formkit::IndexOf(form, control).value();
}
inline std::size_t PlaceOf(formkit::FormId id, std::string_view control) {
  return PlaceOf(forms::DescriptionOf(id), control);
}

// A loaded window whose controls the test reaches by name.
struct NamedControls {
  formkit::Form& form;
  formkit::Control& operator[](std::string_view name) const {
    return form.Controls()[PlaceOf(form.Desc(), name)];
  }
};

// Zibbet started on a headless platform: the splash window is up.
struct HeadlessZibbet {
  Headless platform;
  std::unique_ptr<formkit::Program> assembled = zibbet::Assemble(platform, platform.Chat());
  formkit::Program& program = *assembled;

  HeadlessZibbet() {
    platform.Do([&] { zibbet::Start(program); });
  }
  // No name: the window's surface.
  bool Click(formkit::FormId id, std::string_view control) {
    const auto index = control.empty() ? std::nullopt : std::optional(PlaceOf(id, control));
    return platform.Do([&] { program.Click(id, index); });
  }
  NamedControls operator[](formkit::FormId id) { return {*program.Loaded(id)}; }
};

}  // namespace testing_support
