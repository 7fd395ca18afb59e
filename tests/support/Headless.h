#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
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
  struct ViewLog {
    int topmost = 0;
    int drags = 0;
  };

  // The chat client with one room and a welcome window; timeOfDay is when the run starts.
  explicit Headless(double timeOfDay = 36000.25);

  // Runs scheduled events and timer ticks until the clock reaches `seconds` since the start.
  // Returns false once the program has ended.
  bool RunUntil(double seconds);
  bool RunFor(double seconds) { return RunUntil(now_ + seconds); }
  // Runs `action` (a click, say) at that moment, inside whatever wait is running then.
  void At(double seconds, std::function<void()> action);
  // Runs an action now, as the window system would: an end of the program stops it.
  bool Do(const std::function<void()>& action);

  double Now() const { return now_; }
  bool Ended() const { return ended_; }
  // Lines said in the room, in order: the texts typed into its input box before an Enter.
  std::vector<Line> Said() const;
  // Another member (or the user, typing by hand) says a line: the transcript gains it.
  void SayInRoom(std::u16string_view sender, std::u16string_view text);
  static constexpr std::u16string_view kScreenName = u"Kestrel Jay";
  MemoryWindows& Client() { return client_; }
  zibbet::ChatClient& Chat() { return chat_; }
  ClientTree& Tree() { return tree_; }
  hostwin::Handle Room() const { return room_; }
  // What the program did to a window through its view, across loads.
  const ViewLog& Views(forms::FormId id) const { return views_.at(static_cast<int>(id)); }
  int Loads(forms::FormId id) const { return loads_.at(static_cast<int>(id)); }
  // What happened to the windows and the room, in order: "load Form3", "show Form5",
  // "hide Form4", "minimize Form3", "topmost Form3", "unload Form3", "said <line>".
  const std::vector<std::string>& Trace() const { return trace_; }

  // forms::Platform
  std::unique_ptr<forms::FormView> CreateView(forms::Program& program, forms::FormId id,
                                              forms::Form& form) override;
  void WaitSeconds(int seconds) override;
  [[noreturn]] void Exit() override;
  std::unique_ptr<forms::Ticker> Every(int milliseconds, std::function<void()> tick) override;

  // hostwin::WaitHost
  double TimeOfDay() override;
  double Monotonic() override { return now_; }
  bool PumpMessages(double maxSeconds) override;

 private:
  class View;
  class VirtualTicker;
  struct Timer {
    std::function<void()> tick;
    double due;
    double interval;
  };
  struct Event {
    double at;
    long order;
    std::function<void()> run;
  };

  // The next timer tick or scheduled event at or before `limit`, removed from its queue.
  std::optional<std::function<void()>> TakeNext(double limit);
  void Arm(const std::string& key, std::optional<Timer> timer);

  MemoryWindows client_;
  zibbet::ChatClient chat_{client_};
  ClientTree tree_;
  hostwin::Handle room_ = 0;
  double startOfDay_;
  double now_ = 0;
  bool ended_ = false;
  long order_ = 0;
  std::vector<Event> events_;
  std::map<std::string, Timer> timers_;
  std::map<int, ViewLog> views_;
  std::map<int, int> loads_;
  std::u16string inputBox_;
  std::vector<std::string> trace_;
  long tickers_ = 0;
};

}  // namespace testing_support
