// Each WRONG_ case names a control or event that the main window's description does not have,
// and must not compile; without one the file compiles, so each case fails for its own reason.
#include "formkit/Program.h"
#include "forms/Form1.h"

class Probe final : public formkit::BehaviourOf<forms::kForm1> {
 public:
  Probe() {
    using formkit::Event;
    On(When<Event::Click>("Label6"), [] {});
#if defined(WRONG_CONTROL)
    On(When<Event::Click>("Label66"), [] {});
#elif defined(WRONG_EVENT)
    On(When<Event::Timer>("Label6"), [] {});
#elif defined(WRONG_WINDOW_EVENT)
    On(When<Event::Timer>(), [] {});
#elif defined(WRONG_SIGNATURE)
    On(When<Event::ChatMsg>("Chat1"), [] {});
#elif defined(WRONG_CONTROL_ACCESS)
    static_cast<void>(Ctl("Text9"));
#endif
  }
};
