#include "Headless.h"

#include <algorithm>
#include <string>

#include "hostwin/ChatRoom.h"
#include "hostwin/Wait.h"

namespace testing_support {

class Headless::View final : public forms::FormView {
 public:
  View(Headless& platform, forms::Program& program, forms::FormId id, forms::Form& form)
      : platform_(platform), program_(program), id_(id), form_(form) {
    for (std::size_t i = 0; i < form.Controls().size(); ++i) {
      ControlChanged(i);
    }
  }
  View(const View&) = delete;
  View& operator=(const View&) = delete;
  ~View() override {
    platform_.trace_.push_back("unload " + std::string(form_.Name()));
    for (const auto& control : form_.Controls()) {
      if (control.Desc().kind == forms::Kind::Timer) {
        platform_.Arm(Key(control), std::nullopt);
      }
    }
  }

  void ControlChanged(std::size_t index) override {
    const forms::Control& control = form_.Controls().at(index);
    if (control.Desc().kind != forms::Kind::Timer) {
      return;
    }
    const std::string key = Key(control);
    const bool running = platform_.timers_.contains(key);
    if (control.Enabled() && control.Interval() > 0) {
      if (!running) {  // switching on a running timer keeps its period
        const double interval = control.Interval() / 1000.0;
        platform_.Arm(key, Timer{[program = &program_, id = id_,
                                  handler = std::string(control.Name()) + "_Timer"] {
                                   program->Raise(id, handler);
                                 },
                                 platform_.now_ + interval, interval});
      }
    } else if (running) {
      platform_.Arm(key, std::nullopt);
    }
  }
  void FormChanged() override {
    const bool minimized = form_.State() == forms::WindowState::Minimized;
    if (form_.Visible() != visible_ || minimized != minimized_) {
      platform_.trace_.push_back((minimized && !minimized_ ? "minimize "
                                  : form_.Visible()        ? "show "
                                                           : "hide ") +
                                 std::string(form_.Name()));
    } else if (form_.Visible()) {
      platform_.trace_.push_back("front " + std::string(form_.Name()));
    }
    visible_ = form_.Visible();
    minimized_ = minimized;
  }
  void MakeTopmost() override {
    ++platform_.views_[static_cast<int>(id_)].topmost;
    platform_.trace_.push_back("topmost " + std::string(form_.Name()));
  }
  void DragWindow() override { ++platform_.views_[static_cast<int>(id_)].drags; }

 private:
  std::string Key(const forms::Control& control) const {
    return std::string(form_.Name()) + "." + std::string(control.Name());
  }

  Headless& platform_;
  forms::Program& program_;
  forms::FormId id_;
  forms::Form& form_;
  bool visible_ = false;
  bool minimized_ = false;
};

Headless::Headless(double timeOfDay) : tree_(client_), startOfDay_(timeOfDay) {
  tree_.AddDocument(u"Welcome, " + std::u16string(kScreenName) + u"!", {});
  room_ = tree_.AddRoom(u"Town Square");
  client_.SetClock([this] { return now_; });
  // Like the client: Enter in the input box says its text, font tags removed, as the user.
  client_.OnMessage([this, input = tree_.InputOf(room_)](const MemoryWindows::Message& message) {
    if (message.window != input) {
      return;
    }
    if (!message.isChar) {
      inputBox_ = message.text;
    } else if (message.code == hostwin::kEnter && !inputBox_.empty()) {
      std::u16string plain;
      for (std::size_t i = 0; i < inputBox_.size(); ++i) {
        const auto close = inputBox_.find(u'>', i);
        if (inputBox_.compare(i, 6, u"<Font ") == 0 && close != std::u16string::npos) {
          i = close;
        } else {
          plain += inputBox_[i];
        }
      }
      inputBox_.clear();
      trace_.push_back("said " + std::string(plain.begin(), plain.end()));
      SayInRoom(kScreenName, plain);
    }
  });
  for (int i = 0; i < static_cast<int>(forms::kFormCount); ++i) {
    views_[i];
    loads_[i];
  }
}

std::unique_ptr<forms::FormView> Headless::CreateView(forms::Program& program, forms::FormId id,
                                                      forms::Form& form) {
  ++loads_[static_cast<int>(id)];
  trace_.push_back("load " + std::string(form.Name()));
  return std::make_unique<View>(*this, program, id, form);
}

void Headless::WaitSeconds(int seconds) { hostwin::WaitSeconds(*this, seconds); }

void Headless::Exit() {
  ended_ = true;
  throw ProgramEnded{};
}

double Headless::TimeOfDay() {
  constexpr double kDay = 86400;
  const double t = startOfDay_ + now_;
  return t - kDay * static_cast<double>(static_cast<long long>(t / kDay));
}

void Headless::Arm(const std::string& key, std::optional<Timer> timer) {
  if (timer) {
    timers_[key] = *timer;
  } else {
    timers_.erase(key);
  }
}

std::optional<std::function<void()>> Headless::TakeNext(double limit) {
  auto event = std::min_element(events_.begin(), events_.end(), [](const auto& a, const auto& b) {
    return a.at < b.at || (a.at == b.at && a.order < b.order);
  });
  auto timer = std::min_element(timers_.begin(), timers_.end(), [](const auto& a, const auto& b) {
    return a.second.due < b.second.due;
  });
  const double eventAt = event == events_.end() ? limit + 1 : event->at;
  const double timerAt = timer == timers_.end() ? limit + 1 : timer->second.due;
  if (std::min(eventAt, timerAt) > limit) {
    return std::nullopt;
  }
  if (eventAt <= timerAt) {
    now_ = std::max(now_, eventAt);
    auto run = std::move(event->run);
    events_.erase(event);
    return run;
  }
  now_ = std::max(now_, timerAt);
  Timer& tick = timer->second;
  tick.due += tick.interval;
  return tick.tick;
}

class Headless::VirtualTicker final : public forms::Ticker {
 public:
  VirtualTicker(Headless& platform, std::string key) : platform_(platform), key_(std::move(key)) {}
  VirtualTicker(const VirtualTicker&) = delete;
  VirtualTicker& operator=(const VirtualTicker&) = delete;
  ~VirtualTicker() override { platform_.Arm(key_, std::nullopt); }

 private:
  Headless& platform_;
  std::string key_;
};

std::unique_ptr<forms::Ticker> Headless::Every(int milliseconds, std::function<void()> tick) {
  const double interval = milliseconds / 1000.0;
  std::string key = "ticker." + std::to_string(tickers_++);
  Arm(key, Timer{std::move(tick), now_ + interval, interval});
  return std::make_unique<VirtualTicker>(*this, std::move(key));
}

bool Headless::Do(const std::function<void()>& action) {
  if (ended_) {
    return false;
  }
  try {
    action();
  } catch (const ProgramEnded&) {
  }
  return !ended_;
}

bool Headless::RunUntil(double seconds) {
  while (!ended_) {
    auto next = TakeNext(seconds);
    if (!next) {
      break;
    }
    Do(*next);
  }
  if (!ended_) {
    now_ = std::max(now_, seconds);
  }
  return !ended_;
}

void Headless::At(double seconds, std::function<void()> action) {
  events_.push_back({seconds, order_++, std::move(action)});
}

bool Headless::PumpMessages(double maxSeconds) {
  // One message at a time, as a queue delivers them; the handler may end the program, in which
  // case ProgramEnded unwinds through this wait to the test's Do.
  const double limit = now_ + maxSeconds;
  if (auto next = TakeNext(limit)) {
    (*next)();
  } else {
    now_ = limit;
  }
  return !ended_;
}

void Headless::SayInRoom(std::u16string_view sender, std::u16string_view text) {
  const hostwin::Handle transcript = client_.FindChild(room_, 0, hostwin::kRichTextClass);
  client_.SetTitle(transcript, client_.Content(transcript) + std::u16string(sender) + u":\t" +
                                   std::u16string(text) + u"\r\n");
}

std::vector<Headless::Line> Headless::Said() const {
  const hostwin::Handle input = tree_.InputOf(room_);
  std::vector<Line> said;
  std::u16string box;
  for (const auto& message : client_.Messages()) {
    if (message.window != input) {
      continue;
    }
    if (!message.isChar) {
      box = message.text;
    } else if (message.code == hostwin::kEnter && !box.empty()) {
      said.push_back({message.at, box});
      box.clear();
    }
  }
  return said;
}

}  // namespace testing_support
