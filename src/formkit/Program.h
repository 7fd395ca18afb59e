#pragma once
// formkit/ is the form engine: descriptions (Description.h), a loaded window's model (Form.h),
// events checked by type (Events.h), the program-wide windows and their lifetimes (this file),
// when a click counts (Clicks.h), and the display's scale and stand-in faces (Display.h). It
// numbers the windows Form1 to Form5, as the program calls them (each also by what it is for),
// and is handed their descriptions, which live in forms/.

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "formkit/Events.h"
#include "formkit/Form.h"

namespace formkit {

enum class FormId {
  Form1,
  Form2,
  Form3,
  Form4,
  Form5,
  Console = Form1,  // the idle console, the main window
  Splash = Form2,
  Links = Form3,
  Secret = Form4,  // opened by the chat trigger
  Picture = Form5,
};
inline constexpr std::size_t kFormCount = 5;
// The description each window is built from, by FormId.
using Descriptions = std::array<const FormDesc*, kFormCount>;

class Program;

// A window's behaviour: nothing but its handlers, each for one event of the window or of one of
// its controls.
class Behaviour {
 public:
  Behaviour() = default;
  Behaviour(const Behaviour&) = delete;
  Behaviour& operator=(const Behaviour&) = delete;
  virtual ~Behaviour() = default;

  // Runs the handler of that event, if the window has one.
  void Run(const EventSource& source, const Arguments& arguments = {});
  std::vector<EventSource> Sources() const;

 protected:
  template <Event E>
  void On(EventOf<E> event, HandlerOf<E> run) {
    if constexpr (E == Event::ChatMsg) {
      Handle(event.source, [run = std::move(run)](const Arguments& line) {
        run(line.screenName, line.whatSaid);
      });
    } else {
      Handle(event.source, [run = std::move(run)](const Arguments&) { run(); });
    }
  }
  // An event taken as it comes, unchecked until the window loads (a test recording them all).
  void Handle(const EventSource& source, std::function<void(const Arguments&)> run);

 private:
  std::vector<std::pair<EventSource, std::function<void(const Arguments&)>>> handlers_;
};

// A behaviour of the window described by D: its events and controls are named as there, and the
// build checks every name.
template <const FormDesc& D>
class BehaviourOf : public Behaviour {
 protected:
  template <Event E>
  static consteval EventOf<E> When() {
    return WindowEvent<E>();
  }
  template <Event E>
  static consteval EventOf<E> When(std::string_view control) {
    return ControlEvent<D, E>(control);
  }
  template <Event E>
  static consteval EventOf<E> When(ControlIn<D> control) {
    return ControlEvent<D, E>(control);
  }
  static consteval ControlIn<D> Ctl(std::string_view name) { return ControlNamed<D>(name); }
};

// Something that runs again and again until it is destroyed.
class Ticker {
 public:
  Ticker() = default;
  Ticker(const Ticker&) = delete;
  Ticker& operator=(const Ticker&) = delete;
  virtual ~Ticker() = default;
};

// A control that is a component of its own (the chat scanner): started by its window.
class Component {
 public:
  Component() = default;
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;
  virtual ~Component() = default;
  virtual void Start() = 0;
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
  // A fault of the program (an event raised that its window cannot raise, a handler that
  // threw): reported (to the debugger, or as a test's failure), never passed on.
  virtual void Fault(std::string_view message) = 0;
  // Runs `task` on the window thread as a message of its own: after the message being handled
  // now, or inside the next wait that pumps.
  virtual void Post(std::function<void()> task) = 0;
};

using BehaviourFactory =
    std::function<std::unique_ptr<Behaviour>(Program& program, FormId id, Form& form)>;
// Makes the component behind a control of a component kind; nullptr for none. Its events reach
// the window through Raise.
using ComponentFactory =
    std::function<std::unique_ptr<Component>(Program& program, FormId id, Control& control)>;

// The five program-wide windows and their lifetimes. Each is built from its description the first
// time it is loaded; hiding keeps it; unloading ends it, and the next show builds it afresh.
//
// An unloaded window is hidden at once and destroyed later, by a task posted to the message
// loop once none of its handlers runs: a handler may unload its own window anywhere in its body
// and go on, and the view whose message raised the event outlives the call.
class Program {
 public:
  Program(Platform& platform, const Descriptions& descriptions, BehaviourFactory behaviours,
          ComponentFactory components = {});
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program();

  // The loaded window, or nullptr.
  Form* Loaded(FormId id) const;
  // Loads the window if needed (running its Form_Load once) and makes it visible.
  void Show(FormId id);
  void Hide(FormId id);
  // Runs Form_Unload and hides the window, which is destroyed once its handlers have returned.
  // With no window left, the program ends.
  void Unload(FormId id);
  // Closes every window, hidden ones included, and ends the process; no handler runs after it.
  [[noreturn]] void End();
  // The user logs off or the system shuts down: the main window unloads as its close label
  // does (its own handler ends the program); without it, the program simply ends.
  [[noreturn]] void EndSession();

  // Events from the window system and the components. A window without a handler for the event
  // ignores it; one it cannot raise at all is a fault.
  void Raise(FormId id, const EventSource& source, const Arguments& arguments = {});
  // No control: the window's surface.
  void Click(FormId id, std::optional<std::size_t> control) { Raise(id, {control, Event::Click}); }
  void DblClick(FormId id, std::optional<std::size_t> control) {
    Raise(id, {control, Event::DblClick});
  }
  // The same from a window's own view or component, by the window they belong to: dropped once
  // that window is unloaded (it may have been shown afresh since, as another window).
  void Raise(const Form& from, const EventSource& source, const Arguments& arguments = {});
  void Click(const Form& from, std::optional<std::size_t> control) {
    Raise(from, {control, Event::Click});
  }
  void DblClick(const Form& from, std::optional<std::size_t> control) {
    Raise(from, {control, Event::DblClick});
  }
  void Unload(const Form& from);
  // Starts the component behind a control (the chat scanner); nothing for other controls.
  void Start(FormId id, std::size_t control);
  Platform& GetPlatform() { return platform_; }

  void WaitSeconds(int seconds) { platform_.WaitSeconds(seconds); }

 private:
  // One loaded window: its model, view, behaviour and components.
  struct Window {
    explicit Window(const FormDesc& desc) : form(desc) {}
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    ~Window() { Close(); }
    // Components first (they raise events), then the view; the model and behaviour stay.
    void Close();

    Form form;
    std::unique_ptr<Behaviour> behaviour;
    std::vector<std::pair<std::size_t, std::unique_ptr<Component>>> components;
    int running = 0;  // its handlers on the stack, a waiting one's nested ones included
    bool unloaded = false;
  };
  std::shared_ptr<Window>& WindowOf(FormId id) { return windows_.at(static_cast<std::size_t>(id)); }
  const std::shared_ptr<Window>& WindowOf(FormId id) const {
    return windows_.at(static_cast<std::size_t>(id));
  }
  std::optional<FormId> IdOf(const Form& form) const;
  Form& Load(FormId id);
  // Destroys an unloaded window in a task of its own: never under a handler of its own.
  void PostDestruction(std::shared_ptr<Window> window);
  // Views and components of every window, unloaded ones awaiting destruction included.
  void CloseAll();

  Platform& platform_;
  Descriptions descriptions_;
  BehaviourFactory behaviours_;
  ComponentFactory components_;
  std::array<std::shared_ptr<Window>, kFormCount> windows_;
  // Unloaded, their destruction posted: closed with the rest if the program ends first.
  std::vector<std::weak_ptr<Window>> unloaded_;
  bool ending_ = false;
};

}  // namespace formkit
