#include "forms/Program.h"

#include <cstdlib>
#include <string>

namespace forms {

const FormDesc& DescriptionOf(FormId id) {
  switch (id) {
    case FormId::Form1:
      return Form1Description();
    case FormId::Form2:
      return Form2Description();
    case FormId::Form3:
      return Form3Description();
    case FormId::Form4:
      return Form4Description();
    case FormId::Form5:
      break;
  }
  return Form5Description();
}

bool Behaviour::Run(std::string_view handler, const Arguments& arguments) {
  for (auto& [name, run] : handlers_) {
    if (name == handler) {
      run(arguments);
      return true;
    }
  }
  return false;
}

void Behaviour::On(std::string_view handler, std::function<void()> run) {
  handlers_.emplace_back(std::string(handler), [run = std::move(run)](const Arguments&) { run(); });
}

void Behaviour::On(std::string_view handler, std::function<void(const Arguments&)> run) {
  handlers_.emplace_back(std::string(handler), std::move(run));
}

Program::Program(Platform& platform, BehaviourFactory behaviours, ComponentFactory components)
    : platform_(platform), behaviours_(std::move(behaviours)), components_(std::move(components)) {}

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
  auto form = std::make_shared<Form>(DescriptionOf(id));
  slot.form = form;
  slot.behaviour =
      behaviours_ ? std::shared_ptr<Behaviour>(behaviours_(*this, id, *form)) : nullptr;
  slot.components =
      std::make_shared<std::vector<std::pair<std::string, std::unique_ptr<Component>>>>();
  form->Attach(platform_.CreateView(*this, id, *form));
  if (components_) {
    for (auto& control : form->Controls()) {
      if (auto component = components_(*this, id, control)) {
        slot.components->emplace_back(std::string(control.Name()), std::move(component));
      }
    }
  }
  Raise(id, "Form_Load");
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
  Raise(id, "Form_Unload");
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

void Program::Raise(FormId id, std::string_view handler, const Arguments& arguments) {
  if (ending_) {
    return;
  }
  Slot slot = SlotOf(id);  // a copy: the handler may unload its own window
  if (slot.behaviour) {
    slot.behaviour->Run(handler, arguments);
  }
}

void Program::Call(FormId id, std::string_view control, std::string_view method) {
  if (ending_) {
    return;
  }
  const auto components = SlotOf(id).components;  // kept alive while the call runs
  if (!components) {
    return;
  }
  for (auto& [name, component] : *components) {
    if (name == control) {
      component->Call(method);
    }
  }
}

void Program::Click(FormId id, std::string_view control) {
  Raise(id, control.empty() ? std::string("Form_Click") : std::string(control) + "_Click");
}

void Program::DblClick(FormId id, std::string_view control) {
  Raise(id, control.empty() ? std::string("Form_DblClick") : std::string(control) + "_DblClick");
}

}  // namespace forms
