#include "panels/Splash.h"

namespace panels {

Splash::Splash(formkit::Program& program, formkit::Form& form) : program_(program), form_(form) {
  using formkit::Event;
  On(When<Event::Load>(), [this] { Form_Load(); });
  On(When<Event::Click>(kPicture), [this] { Image1_Click(); });
}

void Splash::Form_Load() { form_.MakeTopmost(); }

void Splash::Image1_Click() {
  program_.Show(formkit::FormId::Console);
  // Hidden, not unloaded: it stays until the program ends.
  program_.Hide(formkit::FormId::Splash);
}

}  // namespace panels
