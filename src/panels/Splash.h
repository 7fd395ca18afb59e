#pragma once

#include "forms/Program.h"

namespace panels {

// The start-up window: a click on its picture opens the main window.
class Splash final : public forms::Behaviour {
 public:
  Splash(forms::Program& program, forms::Form& form);

 private:
  void Form_Load();
  void Image1_Click();

  forms::Program& program_;
  forms::Form& form_;
};

}  // namespace panels
