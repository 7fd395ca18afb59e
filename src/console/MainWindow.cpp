#include "console/MainWindow.h"

#include <string>

namespace console {
namespace {

constexpr std::u16string_view kLoadedBanner = u"(o Y o )[Zibbet-Vemm]-[Loaded]( o Y o)";
constexpr std::u16string_view kNowIdleBanner = u"(o Y o )[Zibbet-Vemm]-[Now Idle]( o Y o)";
constexpr std::u16string_view kPausedBanner = u"(o Y o )[Zibbet-Vemm]-[Paused]( o Y o)";
constexpr std::u16string_view kIdleTickBanner = u"(o Y o )[Zibbet-Vemm][Idle:]( o Y o)";
constexpr std::u16string_view kUnloadedBanner = u"(o Y o )[Zibbet-Vemm]-[Un-Loaded]( o Y o)";

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

MainWindow::MainWindow(forms::Program& program, forms::Form& form)
    : program_(program), form_(form) {
  On("Form_Load", [this] { Form_Load(); });
  On("Form_Unload", [this] { Form_Unload(); });
  On("Label6_Click", [this] { Label6_Click(); });
  On("Label8_Click", [this] { Label8_Click(); });
  On("Timer1_Timer", [this] { Timer1_Timer(); });
  On("Label3_Click", [this] { Label3_Click(); });
  On("Label4_Click", [this] { Label4_Click(); });
  On("Form_Click", [this] { Form_Click(); });
  On("Form_DblClick", [this] { Form_DblClick(); });
}

void MainWindow::Form_Load() {
  form_["Timer1"].SetEnabled(false);
  program_.SendFaded(kLoadedBanner);
  form_.MakeTopmost();
}

void MainWindow::Form_Unload() {
  program_.SendFaded(kUnloadedBanner);
  program_.End();
}

void MainWindow::Label6_Click() {
  form_["Text1"].SetEnabled(false);
  form_["Text2"].SetEnabled(false);
  form_["Timer1"].SetEnabled(true);
  program_.SendFaded(kNowIdleBanner);
}

void MainWindow::Label8_Click() {
  program_.SendFaded(kPausedBanner);
  form_["Timer1"].SetEnabled(false);
}

void MainWindow::Timer1_Timer() {
  forms::Control& counter = form_["Label1"];
  counter.SetText(WriteCount(ReadCount(counter.Text()) + 1));
  program_.SendFaded(kIdleTickBanner);
  program_.WaitSeconds(1);
  // Read after the wait: both may have changed meanwhile.
  const std::u16string banner = u"(o Y o )[Aim:]" + form_["Text2"].Text() + u"][" +
                                form_["Label1"].Text() + u" Min]( o Y o)";
  program_.SendFaded(banner);
}

void MainWindow::Label3_Click() { program_.Unload(forms::FormId::Form1); }

void MainWindow::Label4_Click() { form_.SetState(forms::WindowState::Minimized); }

void MainWindow::Form_Click() { form_.DragWindow(); }

void MainWindow::Form_DblClick() { form_.DragWindow(); }

}  // namespace console
