#pragma once

#include "Zibbet.h"
#include "forms/Program.h"

namespace panels {

// The hidden panel behind the chat trigger: three entries that unlock the links panel, and a
// button that floods the room with a fixed series of lines.
class SecretPanel final : public forms::Behaviour {
 public:
  SecretPanel(forms::Program& program, forms::Form& form, zibbet::ChatClient& chat);

 private:
  void Form_Load();
  void Command1_Click();
  void Command2_Click();

  forms::Program& program_;
  forms::Form& form_;
  zibbet::ChatClient& chat_;
};

}  // namespace panels
