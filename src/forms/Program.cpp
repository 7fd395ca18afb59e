#include "forms/Program.h"

#include <cstdlib>
#include <string>

#include "fade/Fade.h"
#include "hostwin/ChatRoom.h"

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

bool Behaviour::Run(std::string_view handler) {
  for (auto& [name, run] : handlers_) {
    if (name == handler) {
      run();
      return true;
    }
  }
  return false;
}

void Behaviour::On(std::string_view handler, std::function<void()> run) {
  handlers_.emplace_back(std::string(handler), std::move(run));
}

Program::Program(Platform& platform, BehaviourFactory behaviours)
    : platform_(platform), behaviours_(std::move(behaviours)) {}

Program::~Program() {
  ending_ = true;
  for (auto& slot : slots_) {
    if (slot.form) {
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
  slot.behaviour = behaviours_ ? std::shared_ptr<Behaviour>(behaviours_(*this, id, *form)) : nullptr;
  form->Attach(platform_.CreateView(*this, id, *form));
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
      slot.form->Detach();
    }
  }
  platform_.Exit();
  std::abort();  // a platform whose Exit came back would run handlers after the end
}

void Program::Raise(FormId id, std::string_view handler) {
  if (ending_) {
    return;
  }
  Slot slot = SlotOf(id);  // a copy: the handler may unload its own window
  if (slot.behaviour) {
    slot.behaviour->Run(handler);
  }
}

void Program::Click(FormId id, std::string_view control) {
  Raise(id, control.empty() ? std::string("Form_Click") : std::string(control) + "_Click");
}

void Program::DblClick(FormId id, std::string_view control) {
  Raise(id, control.empty() ? std::string("Form_DblClick") : std::string(control) + "_DblClick");
}

void Program::SendToChat(std::u16string_view line) { hostwin::SendToChat(Client(), line); }

void Program::SendFaded(std::u16string_view line) { SendToChat(fade::FadeText(line)); }

void Program::WaitSeconds(int seconds) { hostwin::WaitSeconds(platform_.Waiter(), seconds); }

}  // namespace forms
