#pragma once
// panels/ holds the side windows' behaviours: the splash window (this file), the secret panel
// and the links panel.

#include "formkit/Program.h"
#include "forms/Form2.h"

namespace panels {

// The start-up window: a click on its picture opens the main window.
class Splash final : public formkit::BehaviourOf<forms::kForm2> {
 public:
  Splash(formkit::Program& program, formkit::Form& form);

 private:
  static constexpr auto kPicture = Ctl("Image1");

  void Form_Load();
  void Image1_Click();

  formkit::Program& program_;
  formkit::Form& form_;
};

}  // namespace panels
