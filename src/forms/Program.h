#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/Form.h"

namespace forms {

enum class FormId { Form1, Form2, Form3, Form4, Form5 };
inline constexpr std::size_t kFormCount = 5;

const FormDesc& DescriptionOf(FormId id);

class Program;

// What an event hands its handler (the chat scanner's line event: sender, then text).
using Arguments = std::vector<std::u16string>;

// A window's behaviour: nothing but its handlers, each under its own name ("Form_Load",
// "Label6_Click", "Timer1_Timer", ...).
class Behaviour {
 public:
  Behaviour() = default;
  Behaviour(const Behaviour&) = delete;
  Behaviour& operator=(const Behaviour&) = delete;
  virtual ~Behaviour() = default;

  // Runs the named handler; false when the window has none of that name.
  bool Run(std::string_view handler, const Arguments& arguments = {});

 protected:
  void On(std::string_view handler, std::function<void()> run);
  void On(std::string_view handler, std::function<void(const Arguments&)> run);

 private:
  std::vector<std::pair<std::string, std::function<void(const Arguments&)>>> handlers_;
};

// Something that runs again and again until it is destroyed.
class Ticker {
 public:
  Ticker() = default;
  Ticker(const Ticker&) = delete;
  Ticker& operator=(const Ticker&) = delete;
  virtual ~Ticker() = default;
};

// A control that is a component of its own (the chat scanner): it is told of calls made on it.
class Component {
 public:
  Component() = default;
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;
  virtual ~Component() = default;
  virtual void Call(std::string_view method) = 0;
};

// What the program needs of the world it runs in.
class Platform {
 public:
  Platform() = default;
  Platform(const Platform&) = delete;
  Platform& operator=(const Platform&) = delete;
  virtual ~Platform() = default;

  // Builds the window of a freshly loaded form, hidden.
  virtual std::unique_ptr<FormView> CreateView(Program& program, FormId id, Form& form) = 0;
  // Waits about `seconds` while the windows keep answering (their events run meanwhile).
  virtual void WaitSeconds(int seconds) = 0;
  // Ends the process at once: nothing after the call runs, not even the rest of a handler.
  [[noreturn]] virtual void Exit() = 0;
  // Calls tick every `milliseconds` on the window thread until the ticker is destroyed.
  virtual std::unique_ptr<Ticker> Every(int milliseconds, std::function<void()> tick) = 0;
};

using BehaviourFactory =
    std::function<std::unique_ptr<Behaviour>(Program& program, FormId id, Form& form)>;
// Makes the component behind a control of a component kind; nullptr for none.
using ComponentFactory =
    std::function<std::unique_ptr<Component>(Program& program, FormId id, Control& control)>;

// The five program-wide windows and their lifetimes. Each is built from its description the first
// time it is loaded; hiding keeps it; unloading destroys it, and the next show builds it afresh.
class Program {
 public:
  Program(Platform& platform, BehaviourFactory behaviours, ComponentFactory components = {});
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program();

  // The loaded window, or nullptr.
  Form* Loaded(FormId id) const;
  // Loads the window if needed (running its Form_Load once) and makes it visible.
  void Show(FormId id);
  void Hide(FormId id);
  // Runs Form_Unload and destroys the window. With no window left, the program ends.
  void Unload(FormId id);
  // Closes every window, hidden ones included, and ends the process; no handler runs after it.
  [[noreturn]] void End();
  // The user logs off or the system shuts down: the main window unloads as its close label
  // does (its own handler ends the program); without it, the program simply ends.
  [[noreturn]] void EndSession();

  // Events from the window system. A control without a handler for the event ignores it.
  void Click(FormId id, std::string_view control);  // empty control: the window's surface
  void DblClick(FormId id, std::string_view control);
  void Raise(FormId id, std::string_view handler, const Arguments& arguments = {});
  // A call on a component control ("Start" on the chat scanner); nothing for other controls.
  void Call(FormId id, std::string_view control, std::string_view method);
  Platform& GetPlatform() { return platform_; }

  void WaitSeconds(int seconds) { platform_.WaitSeconds(seconds); }

 private:
  struct Slot {
    std::shared_ptr<Form> form;
    std::shared_ptr<Behaviour> behaviour;
    std::shared_ptr<std::vector<std::pair<std::string, std::unique_ptr<Component>>>> components;
  };
  Slot& SlotOf(FormId id) { return slots_.at(static_cast<std::size_t>(id)); }
  const Slot& SlotOf(FormId id) const { return slots_.at(static_cast<std::size_t>(id)); }
  Form& Load(FormId id);

  Platform& platform_;
  BehaviourFactory behaviours_;
  ComponentFactory components_;
  std::array<Slot, kFormCount> slots_;
  bool ending_ = false;
};

}  // namespace forms
