#pragma once
// console/ is the main window: its handlers (this file), the idle banners and the chat trigger,
// and the chat scanner control it hosts (ScannerControl.h).

#include <string>
#include <string_view>

#include "formkit/Program.h"
#include "forms/Form1.h"
#include "hostwin/ChatClient.h"

namespace console {

// The status banners the console says, faded, in the room.
inline constexpr std::u16string_view kLoadedBanner = u"(o Y o )[Zibbet-Vemm]-[Loaded]( o Y o)";
inline constexpr std::u16string_view kNowIdleBanner = u"(o Y o )[Zibbet-Vemm]-[Now Idle]( o Y o)";
inline constexpr std::u16string_view kPausedBanner = u"(o Y o )[Zibbet-Vemm]-[Paused]( o Y o)";
inline constexpr std::u16string_view kIdleTickBanner = u"(o Y o )[Zibbet-Vemm][Idle:]( o Y o)";
inline constexpr std::u16string_view kUnloadedBanner = u"(o Y o )[Zibbet-Vemm]-[Un-Loaded]( o Y o)";

// The banner that follows each idle tick: the away message and the minutes counted so far.
std::u16string MinuteBanner(std::u16string_view awayMessage, std::u16string_view minutes);

// The idle console: switches idling on and off, counts the idle minutes and posts the status
// banners into the chat room.
class MainWindow final : public formkit::BehaviourOf<forms::kForm1> {
 public:
  MainWindow(formkit::Program& program, formkit::Form& form, hostwin::ChatClient& chat);

 private:
  // The controls with a part in idling; the rest, "OFF" among them, are only shown.
  static constexpr auto kOn = Ctl("Label6");
  static constexpr auto kPause = Ctl("Label8");
  static constexpr auto kClose = Ctl("Label3");
  static constexpr auto kMinimize = Ctl("Label4");
  static constexpr auto kMinutes = Ctl("Label1");     // the idle minutes counted
  static constexpr auto kAwayMessage = Ctl("Text2");  // told in each minute banner
  static constexpr auto kFreeText = Ctl("Text1");     // locked with the away message
  static constexpr auto kMinuteTick = Ctl("Timer1");  // enabled while idling
  static constexpr auto kScanner = Ctl("Chat1");      // its lines may hold the trigger word

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

  formkit::Program& program_;
  formkit::Form& form_;
  hostwin::ChatClient& chat_;
};

}  // namespace console
