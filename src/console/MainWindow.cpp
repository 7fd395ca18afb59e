#include "console/MainWindow.h"

#include <string>

namespace console {
namespace {

constexpr std::u16string_view kTriggerWord = u"tu9vo";

// Upper-case letters to lower case. Only ASCII letters can lower-case into the trigger word
// (which is all ASCII), so a wider mapping would not change what matches.
std::u16string ToLower(std::u16string_view text) {
  std::u16string lower(text);
  for (char16_t& c : lower) {
    if (c >= u'A' && c <= u'Z') {
      c = static_cast<char16_t>(c - u'A' + u'a');
    }
  }
  return lower;
}

// The counter's caption as a number. Only this window writes it, always as whole digits, and it
// starts as "00000".
double ReadCount(std::u16string_view caption) {
  double value = 0;
  for (const char16_t c : caption) {
    if (c >= u'0' && c <= u'9') {
      constexpr double kBase = 10;
      value = value * kBase + (c - u'0');
    }
  }
  return value;
}

// A whole number as plain digits: no leading zeros, no separators.
std::u16string WriteCount(double value) {
  auto whole = static_cast<unsigned long long>(value);
  std::u16string digits;
  do {
    constexpr unsigned kBase = 10;
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + whole % kBase));
    whole /= kBase;
  } while (whole != 0);
  return digits;
}

}  // namespace

std::u16string MinuteBanner(std::u16string_view awayMessage, std::u16string_view minutes) {
  return u"(o Y o )[Aim:]" + std::u16string(awayMessage) + u"][" + std::u16string(minutes) +
         u" Min]( o Y o)";
}

MainWindow::MainWindow(forms::Program& program, forms::Form& form, zibbet::ChatClient& chat)
    : program_(program), form_(form), chat_(chat) {
  On("Form_Load", [this] { Form_Load(); });
  On("Form_Unload", [this] { Form_Unload(); });
  On("Label6_Click", [this] { Label6_Click(); });
  On("Label8_Click", [this] { Label8_Click(); });
  On("Timer1_Timer", [this] { Timer1_Timer(); });
  On("Label3_Click", [this] { Label3_Click(); });
  On("Label4_Click", [this] { Label4_Click(); });
  On("Form_Click", [this] { Form_Click(); });
  On("Form_DblClick", [this] { Form_DblClick(); });
  On("Chat1_ChatMsg",
     [this](const forms::Arguments& line) { Chat1_ChatMsg(line.at(0), line.at(1)); });
}

void MainWindow::Form_Load() {
  form_["Timer1"].SetEnabled(false);
  program_.Call(forms::FormId::Form1, "Chat1", "Start");
  chat_.SayFaded(kLoadedBanner);
  form_.MakeTopmost();
}

void MainWindow::Form_Unload() {
  chat_.SayFaded(kUnloadedBanner);
  program_.End();
}

void MainWindow::Label6_Click() {
  form_["Text1"].SetEnabled(false);
  form_["Text2"].SetEnabled(false);
  form_["Timer1"].SetEnabled(true);
  chat_.SayFaded(kNowIdleBanner);
}

void MainWindow::Label8_Click() {
  chat_.SayFaded(kPausedBanner);
  form_["Timer1"].SetEnabled(false);
}

void MainWindow::Timer1_Timer() {
  forms::Control& counter = form_["Label1"];
  counter.SetText(WriteCount(ReadCount(counter.Text()) + 1));
  chat_.SayFaded(kIdleTickBanner);
  program_.WaitSeconds(1);
  // Read after the wait: both may have changed meanwhile.
  chat_.SayFaded(MinuteBanner(form_["Text2"].Text(), form_["Label1"].Text()));
}

void MainWindow::Label3_Click() { program_.Unload(forms::FormId::Form1); }

void MainWindow::Label4_Click() { form_.SetState(forms::WindowState::Minimized); }

void MainWindow::Form_Click() { form_.DragWindow(); }

void MainWindow::Form_DblClick() { form_.DragWindow(); }

void MainWindow::Chat1_ChatMsg(std::u16string_view screenName, std::u16string_view whatSaid) {
  // Asked afresh for every line: the user may have signed on as someone else meanwhile. Signed
  // off, the name is empty, and an empty name is nobody's, not that of a line without a sender.
  const std::u16string me = chat_.ScreenName();
  if (me.empty() || me != screenName) {
    return;
  }
  if (ToLower(whatSaid) == kTriggerWord) {
    program_.Show(forms::FormId::Form4);
  }
}

}  // namespace console
