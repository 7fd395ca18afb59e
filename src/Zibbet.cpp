#include "Zibbet.h"

#include "console/ChatScanner.h"
#include "console/MainWindow.h"
#include "panels/LinksPanel.h"
#include "panels/SecretPanel.h"
#include "panels/Splash.h"

namespace zibbet {

std::unique_ptr<forms::Behaviour> MakeBehaviour(forms::Program& program, forms::FormId id,
                                                forms::Form& form) {
  switch (id) {
    case forms::FormId::Form1:
      return std::make_unique<console::MainWindow>(program, form);
    case forms::FormId::Form2:
      return std::make_unique<panels::Splash>(program, form);
    case forms::FormId::Form3:
      return std::make_unique<panels::LinksPanel>(program, form);
    case forms::FormId::Form4:
      return std::make_unique<panels::SecretPanel>(program, form);
    case forms::FormId::Form5:
      break;
  }
  return nullptr;
}

std::unique_ptr<forms::Component> MakeComponent(forms::Program& program, forms::FormId id,
                                                forms::Control& control) {
  if (control.Desc().kind == forms::Kind::ChatScanner) {
    return std::make_unique<console::ScannerControl>(program, id, control.Name());
  }
  return nullptr;
}

void Start(forms::Program& program) { program.Show(forms::FormId::Form2); }

}  // namespace zibbet
