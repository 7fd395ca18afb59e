#include "formkit/Program.h"

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

bool Behaviour::Run(const EventSource& source, const Arguments& arguments) {
  for (auto& [handled, run] : handlers_) {
    if (handled == source) {
      run(arguments);
      return true;
    }
  }
  return false;
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
  for (auto& slot : slots_) {
    if (slot.form) {
      slot.components.reset();
      slot.form->Detach();
    }
  }
}

Form* Program::Loaded(FormId id) const { return SlotOf(id).form.get(); }

Form& Program::Load(FormId id) {
  Slot& slot = SlotOf(id);
  if (slot.form) {
    return *slot.form;
  }
  auto form = std::make_shared<Form>(*descriptions_[static_cast<std::size_t>(id)]);
  slot.form = form;
  slot.behaviour =
      behaviours_ ? std::shared_ptr<Behaviour>(behaviours_(*this, id, *form)) : nullptr;
  if (slot.behaviour) {
    for (const EventSource& source : slot.behaviour->Sources()) {
      if (!Raises(form->Desc(), source)) {
        platform_.Fault(std::string(form->Name()) + " cannot raise an event handled");
      }
    }
  }
  slot.components =
      std::make_shared<std::vector<std::pair<std::size_t, std::unique_ptr<Component>>>>();
  form->Attach(platform_.CreateView(*this, id, *form));
  if (components_) {
    for (auto& control : form->Controls()) {
      if (auto component = components_(*this, id, control)) {
        slot.components->emplace_back(control.Index(), std::move(component));
      }
    }
  }
  Raise(id, {std::nullopt, Event::Load});
  return *form;
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
  Raise(id, {std::nullopt, Event::Unload});
  Slot& slot = SlotOf(id);
  if (slot.form) {
    // A handler of this window still running up the stack keeps its objects alive until it
    // returns; the window itself goes now.
    slot.components.reset();  // a component lives and dies with its window
    slot.form->Detach();
    slot.form.reset();
    slot.behaviour.reset();
  }
  for (const auto& other : slots_) {
    if (other.form) {
      return;
    }
  }
  End();
}

void Program::End() {
  ending_ = true;
  for (auto& slot : slots_) {
    if (slot.form) {
      slot.components.reset();
      slot.form->Detach();
    }
  }
  platform_.Exit();
  std::abort();  // a platform whose Exit came back would run handlers after the end
}

void Program::EndSession() {
  Unload(FormId::Form1);
  End();
}

void Program::Raise(FormId id, const EventSource& source, const Arguments& arguments) {
  if (ending_) {
    return;
  }
  const Slot slot = SlotOf(id);  // a copy: the handler may unload its own window
  if (!slot.form) {
    return;
  }
  if (!Raises(slot.form->Desc(), source)) {
    platform_.Fault(std::string(slot.form->Name()) + " cannot raise that event");
    return;
  }
  if (!slot.behaviour) {
    return;
  }
  // A handler's failure ends the handler, never the window procedure or timer that raised it.
  try {
    slot.behaviour->Run(source, arguments);
  } catch (const std::exception& failure) {
    platform_.Fault(std::string(slot.form->Name()) + ": " + failure.what());
  }
}

void Program::Start(FormId id, std::size_t control) {
  if (ending_) {
    return;
  }
  const auto components = SlotOf(id).components;  // kept alive while the call runs
  if (!components) {
    return;
  }
  for (auto& [index, component] : *components) {
    if (index == control) {
      component->Start();
    }
  }
}

}  // namespace formkit
