#include "app/Zibbet.h"

#include "console/MainWindow.h"
#include "console/ScannerControl.h"
#include "forms/Forms.h"
#include "panels/LinksPanel.h"
#include "panels/SecretPanel.h"
#include "panels/Splash.h"

namespace zibbet {
namespace {

formkit::BehaviourFactory Behaviours(hostwin::ChatClient& chat) {
  return [&chat](formkit::Program& program, formkit::FormId id,
                 formkit::Form& form) -> std::unique_ptr<formkit::Behaviour> {
    switch (id) {
      case formkit::FormId::Console:
        return std::make_unique<console::MainWindow>(program, form, chat);
      case formkit::FormId::Splash:
        return std::make_unique<panels::Splash>(program, form);
      case formkit::FormId::Links:
        return std::make_unique<panels::LinksPanel>(program, form, chat);
      case formkit::FormId::Secret:
        return std::make_unique<panels::SecretPanel>(program, form, chat);
      case formkit::FormId::Picture:
        break;
    }
    return nullptr;
  };
}

// The scanner's lines become its window's ChatMsg events.
formkit::ComponentFactory Components(hostwin::ChatClient& chat) {
  return [&chat](formkit::Program& program, formkit::FormId id,
                 formkit::Control& control) -> std::unique_ptr<formkit::Component> {
    if (control.Desc().kind != formkit::Kind::ChatScanner) {
      return nullptr;
    }
    const formkit::EventSource source{control.Index(), formkit::Event::ChatMsg};
    // To this window only: a console unloaded and opened again has a scanner of its own.
    const formkit::Form& form = *program.Loaded(id);
    return std::make_unique<console::ScannerControl>(
        program.GetPlatform(), chat.Windows(), chat.NewBackground(),
        [&program, &form, source](const hostwin::ChatLine& line) {
          program.Raise(form, source, {line.sender, line.text});
        });
  };
}

}  // namespace

std::unique_ptr<formkit::Program> Assemble(formkit::Platform& platform, hostwin::ChatClient& chat) {
  return std::make_unique<formkit::Program>(platform, forms::kDescriptions, Behaviours(chat),
                                            Components(chat));
}

void Start(formkit::Program& program) { program.Show(formkit::FormId::Splash); }

}  // namespace zibbet
