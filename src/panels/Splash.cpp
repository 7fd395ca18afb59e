#include "panels/Splash.h"

namespace panels {

Splash::Splash(forms::Program& program, forms::Form& form) : program_(program), form_(form) {
  On("Form_Load", [this] { Form_Load(); });
  On("Image1_Click", [this] { Image1_Click(); });
}

void Splash::Form_Load() { form_.MakeTopmost(); }

void Splash::Image1_Click() {
  program_.Show(forms::FormId::Form1);
  // Hidden, not unloaded: it stays until the program ends.
  program_.Hide(forms::FormId::Form2);
}

}  // namespace panels
