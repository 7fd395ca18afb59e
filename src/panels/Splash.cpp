// Form2, the splash window. Its one control, Image1: the picture that opens the main window.
#include "panels/Splash.h"

namespace panels {

Splash::Splash(formkit::Program& program, formkit::Form& form) : program_(program), form_(form) {
  using formkit::Event;
  On(When<Event::Load>(), [this] { Form_Load(); });
  On(When<Event::Click>("Image1"), [this] { Image1_Click(); });
}

void Splash::Form_Load() { form_.MakeTopmost(); }

void Splash::Image1_Click() {
  program_.Show(formkit::FormId::Form1);
  // Hidden, not unloaded: it stays until the program ends.
  program_.Hide(formkit::FormId::Form2);
}

}  // namespace panels
