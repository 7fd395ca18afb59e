#pragma once

#include <string_view>

#include "forms/Program.h"

namespace console {

// The idle console: switches idling on and off, counts the idle minutes and posts the status
// banners into the chat room.
class MainWindow final : public forms::Behaviour {
 public:
  MainWindow(forms::Program& program, forms::Form& form);

 private:
  void Form_Load();
  void Form_Unload();
  void Label6_Click();
  void Label8_Click();
  void Timer1_Timer();
  void Label3_Click();
  void Label4_Click();
  void Form_Click();
  void Form_DblClick();
  void Chat1_ChatMsg(std::u16string_view screenName, std::u16string_view whatSaid);

  forms::Program& program_;
  forms::Form& form_;
};

}  // namespace console
