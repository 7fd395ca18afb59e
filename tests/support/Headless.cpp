#include "Headless.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>

#include "formkit/Wait.h"
#include "hostwin/ChatRoom.h"

namespace testing_support {

class Headless::View final : public formkit::FormView {
 public:
  View(Headless& platform, formkit::Program& program, formkit::FormId id, formkit::Form& form)
      : platform_(platform), program_(program), id_(id), form_(form) {
    for (std::size_t i = 0; i < form.Controls().size(); ++i) {
      ControlChanged(i);
    }
  }
  ~View() override { Trace("unload "); }

  void ControlChanged(std::size_t index) override {
    const formkit::Control& control = form_.Controls().at(index);
    if (control.Desc().kind != formkit::Kind::Timer) {
      platform_.shown_[{id_, std::string(control.Name())}] = control.Text();
    } else if (!control.Enabled() || control.Interval() <= 0) {
      timers_.erase(index);
    } else if (!timers_.contains(index)) {  // switched on again: same period
      timers_[index] =
          platform_.Every(control.Interval(), [program = &program_, &form = form_, index] {
            program->Raise(form, {index, formkit::Event::Timer});
          });
    }
  }
  void FormChanged() override {
    const bool minimized = form_.State() == formkit::WindowState::Minimized;
    if (form_.Visible() != visible_ || minimized != minimized_) {
      Trace(minimized && !minimized_ ? "minimize " : form_.Visible() ? "show " : "hide ");
    } else if (form_.Visible()) {
      Trace("front ");
    }
    visible_ = form_.Visible();
    minimized_ = minimized;
  }
  void MakeTopmost() override { Trace("topmost "); }
  void DragWindow() override { Trace("drag "); }

 private:
  void Trace(const std::string& what) {
    platform_.trace_.push_back(what + std::string(form_.Name()));
  }

  Headless& platform_;
  formkit::Program& program_;
  formkit::FormId id_;
  formkit::Form& form_;
  bool visible_ = false;
  bool minimized_ = false;
  std::map<std::size_t, std::unique_ptr<formkit::Ticker>> timers_;
};

Headless::Headless(double timeOfDay) : VirtualClock(timeOfDay), tree_(client_) {
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
      const std::string plain = std::regex_replace(std::string(inputBox_.begin(), inputBox_.end()),
                                                   std::regex("<Font [^>]*>"), "");
      said_.push_back({now_, inputBox_, std::u16string(plain.begin(), plain.end())});
      inputBox_.clear();
      trace_.push_back("said " + plain);
      SayInRoom(kScreenName, said_.back().plain);
    }
  });
}

std::unique_ptr<formkit::FormView> Headless::CreateView(formkit::Program& program,
                                                        formkit::FormId id, formkit::Form& form) {
  trace_.push_back("load " + std::string(form.Name()));
  return std::make_unique<View>(*this, program, id, form);
}

void Headless::WaitSeconds(int seconds) { formkit::WaitSeconds(*this, seconds); }

void Headless::Fault(std::string_view message) { ADD_FAILURE() << message; }

void Headless::Exit() {
  ended_ = true;
  throw ProgramEnded{};
}

class Headless::VirtualTicker final : public formkit::Ticker {
 public:
  VirtualTicker(Headless& platform, std::string key) : platform_(platform), key_(std::move(key)) {}
  ~VirtualTicker() override { platform_.timers_.erase(key_); }

 private:
  Headless& platform_;
  std::string key_;
};

std::unique_ptr<formkit::Ticker> Headless::Every(int milliseconds, std::function<void()> tick) {
  const double interval = milliseconds / 1000.0;
  std::string key = "ticker." + std::to_string(order_);
  timers_[key] = {std::move(tick), now_ + interval, interval, order_++};
  return std::make_unique<VirtualTicker>(*this, std::move(key));
}

void Headless::RunPosted() {
  const std::function<void()> task = std::move(posted_.front());
  posted_.pop_front();
  task();
}

bool Headless::Do(const std::function<void()>& action) {
  try {
    if (!ended_) {
      action();
    }
    // What the action posted comes next, as the message loop would take it.
    while (!posted_.empty() && !ended_) {
      RunPosted();
    }
  } catch (const ProgramEnded&) {
  }
  return !ended_;
}

bool Headless::RunFor(double seconds) {
  const double until = now_ + seconds;
  for (auto next = TakeNext(until); next && !ended_; next = TakeNext(until)) {
    Do(*next);
  }
  now_ = ended_ ? now_ : std::max(now_, until);
  return !ended_;
}

void Headless::SayInRoom(std::u16string_view sender, std::u16string_view text) {
  const hostwin::Handle transcript = client_.FindChild(room_, 0, hostwin::kRichTextClass);
  client_.SetTitle(transcript, client_.Content(transcript) + std::u16string(sender) + u":\t" +
                                   std::u16string(text) + u"\r\n");
}

}  // namespace testing_support
