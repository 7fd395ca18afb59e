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

MainWindow::MainWindow(formkit::Program& program, formkit::Form& form, hostwin::ChatClient& chat)
    : program_(program), form_(form), chat_(chat) {
  using formkit::Event;
  On(When<Event::Load>(), [this] { Form_Load(); });
  On(When<Event::Unload>(), [this] { Form_Unload(); });
  On(When<Event::Click>(kOn), [this] { Label6_Click(); });
  On(When<Event::Click>(kPause), [this] { Label8_Click(); });
  On(When<Event::Timer>(kMinuteTick), [this] { Timer1_Timer(); });
  On(When<Event::Click>(kClose), [this] { Label3_Click(); });
  On(When<Event::Click>(kMinimize), [this] { Label4_Click(); });
  On(When<Event::Click>(), [this] { Form_Click(); });
  On(When<Event::DblClick>(), [this] { Form_DblClick(); });
  On(When<Event::ChatMsg>(kScanner),
     [this](std::u16string_view screenName, std::u16string_view whatSaid) {
       Chat1_ChatMsg(screenName, whatSaid);
     });
}

void MainWindow::Form_Load() {
  form_[kMinuteTick].SetEnabled(false);
  program_.Start(formkit::FormId::Console, kScanner.index);
  chat_.SayFaded(kLoadedBanner);
  form_.MakeTopmost();
}

void MainWindow::Form_Unload() {
  chat_.SayFaded(kUnloadedBanner);
  program_.End();
}

void MainWindow::Label6_Click() {
  form_[kFreeText].SetEnabled(false);
  form_[kAwayMessage].SetEnabled(false);
  form_[kMinuteTick].SetEnabled(true);
  chat_.SayFaded(kNowIdleBanner);
}

void MainWindow::Label8_Click() {
  chat_.SayFaded(kPausedBanner);
  form_[kMinuteTick].SetEnabled(false);
}

void MainWindow::Timer1_Timer() {
  formkit::Control& counter = form_[kMinutes];
  counter.SetText(WriteCount(ReadCount(counter.Text()) + 1));
  chat_.SayFaded(kIdleTickBanner);
  program_.WaitSeconds(1);
  // Read after the wait: both may have changed meanwhile.
  chat_.SayFaded(MinuteBanner(form_[kAwayMessage].Text(), form_[kMinutes].Text()));
}

void MainWindow::Label3_Click() { program_.Unload(formkit::FormId::Console); }

void MainWindow::Label4_Click() { form_.SetState(formkit::WindowState::Minimized); }

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
    program_.Show(formkit::FormId::Secret);
  }
}

}  // namespace console
