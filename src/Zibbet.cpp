#include "Zibbet.h"

#include "console/MainWindow.h"
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
    case forms::FormId::Form4:
    case forms::FormId::Form5:
      break;
  }
  return nullptr;
}

void Start(forms::Program& program) { program.Show(forms::FormId::Form2); }

}  // namespace zibbet
