#include "formkit/Program.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <string>

namespace formkit {

std::vector<EventSource> Behaviour::Sources() const {
  std::vector<EventSource> sources;
  for (const auto& handler : handlers_) {
    sources.push_back(handler.first);
  }
  return sources;
}

void Behaviour::Run(const EventSource& source, const Arguments& arguments) {
  const auto handler = std::ranges::find(handlers_, source, [](const auto& h) { return h.first; });
  if (handler != handlers_.end()) {
    handler->second(arguments);
  }
}

void Behaviour::Handle(const EventSource& source, std::function<void(const Arguments&)> run) {
  handlers_.emplace_back(source, std::move(run));
}

Program::Program(Platform& platform, const Descriptions& descriptions, BehaviourFactory behaviours,
                 ComponentFactory components)
    : platform_(platform),
      descriptions_(descriptions),
      behaviours_(std::move(behaviours)),
      components_(std::move(components)) {}

Program::~Program() {
  ending_ = true;
  CloseAll();
}

void Program::Window::Close() {
  components.clear();
  form.Detach();
}

void Program::CloseAll() {
  for (const auto& window : windows_) {
    if (window) {
      window->Close();
    }
  }
  for (const auto& unloaded : unloaded_) {
    if (const auto window = unloaded.lock()) {
      window->Close();
    }
  }
}

Form* Program::Loaded(FormId id) const {
  const auto& window = WindowOf(id);
  return window ? &window->form : nullptr;
}

std::optional<FormId> Program::IdOf(const Form& form) const {
  const auto found =
      std::ranges::find_if(windows_, [&](const auto& w) { return w && &w->form == &form; });
  if (found == windows_.end()) {
    return std::nullopt;
  }
  return static_cast<FormId>(found - windows_.begin());
}

Form& Program::Load(FormId id) {
  if (Form* loaded = Loaded(id)) {
    return *loaded;
  }
  const auto window = std::make_shared<Window>(*descriptions_[static_cast<std::size_t>(id)]);
  WindowOf(id) = window;
  Form& form = window->form;
  window->behaviour = behaviours_ ? behaviours_(*this, id, form) : nullptr;
  if (window->behaviour) {
    for (const EventSource& source : window->behaviour->Sources()) {
      if (!Raises(form.Desc(), source)) {
        platform_.Fault(std::string(form.Name()) + " cannot raise an event handled");
      }
    }
  }
  form.Attach(platform_.CreateView(*this, id, form));
  if (components_) {
    for (auto& control : form.Controls()) {
      if (auto component = components_(*this, id, control)) {
        window->components.emplace_back(control.Index(), std::move(component));
      }
    }
  }
  Raise(id, {std::nullopt, Event::Load});
  return form;
}

void Program::Show(FormId id) {
  if (ending_) {
    return;
  }
  Form& form = Load(id);
  // Form_Load may have unloaded it again; show only what is still there.
  if (Loaded(id) == &form) {
    form.SetVisible(true);
  }
}

void Program::Hide(FormId id) {
  if (Form* form = Loaded(id)) {
    form->SetVisible(false);
  }
}

void Program::Unload(FormId id) {
  if (ending_ || Loaded(id) == nullptr) {
    return;
  }
  const Window* unloading = WindowOf(id).get();
  Raise(id, {std::nullopt, Event::Unload});
  // Form_Unload may have unloaded it already, and even shown it afresh.
  if (WindowOf(id).get() == unloading) {
    std::shared_ptr<Window> window = std::exchange(WindowOf(id), nullptr);
    window->unloaded = true;
    window->form.SetVisible(false);
    // A handler of it still running (this one's caller, or one waiting further up) posts the
    // destruction when it returns.
    if (window->running == 0) {
      PostDestruction(std::move(window));
    }
  }
  if (std::ranges::none_of(windows_, [](const auto& window) { return window != nullptr; })) {
    End();
  }
}

void Program::Unload(const Form& from) {
  if (const auto id = IdOf(from)) {
    Unload(*id);
  }
}

void Program::PostDestruction(std::shared_ptr<Window> window) {
  std::erase_if(unloaded_, [](const auto& unloaded) { return unloaded.expired(); });
  unloaded_.emplace_back(window);
  platform_.Post([window = std::move(window)]() mutable { window.reset(); });
}

void Program::End() {
  ending_ = true;
  CloseAll();
  platform_.Exit();
  std::abort();  // a platform whose Exit came back would run handlers after the end
}

void Program::EndSession() {
  Unload(FormId::Console);
  End();
}

void Program::Raise(FormId id, const EventSource& source, const Arguments& arguments) {
  if (ending_ || !WindowOf(id)) {
    return;
  }
  // Shared: the handler may unload the window, which then lives on until the handler returns.
  const std::shared_ptr<Window> window = WindowOf(id);
  const Form& form = window->form;
  if (!Raises(form.Desc(), source)) {
    platform_.Fault(std::string(form.Name()) + " cannot raise that event");
    return;
  }
  if (!window->behaviour) {
    return;
  }
  // Counted however the handler leaves: an end of the program unwinds through here.
  struct Running {
    Program& program;
    const std::shared_ptr<Window>& window;
    explicit Running(Program& p, const std::shared_ptr<Window>& w) : program(p), window(w) {
      ++window->running;
    }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;
    ~Running() {
      if (--window->running == 0 && window->unloaded && !program.ending_) {
        program.PostDestruction(window);
      }
    }
  } running(*this, window);
  // A handler's failure ends the handler, never the window procedure or timer that raised it.
  try {
    window->behaviour->Run(source, arguments);
  } catch (const std::exception& failure) {
    platform_.Fault(std::string(form.Name()) + ": " + failure.what());
  }
}

void Program::Raise(const Form& from, const EventSource& source, const Arguments& arguments) {
  if (const auto id = IdOf(from)) {
    Raise(*id, source, arguments);
  }
}

void Program::Start(FormId id, std::size_t control) {
  if (ending_ || !WindowOf(id)) {
    return;
  }
  for (auto& [index, component] : WindowOf(id)->components) {
    if (index == control) {
      component->Start();
    }
  }
}

}  // namespace formkit
