// Zibbet.exe: the five windows on Win32 over the chat client's windows, starting with the splash
// window.
#include <windows.h>

#include <memory>

#include "app/Zibbet.h"
#include "hostwin/ChatClient.h"
#include "win32/BackgroundThread.h"
#include "win32/User32Windows.h"
#include "win32/formkit/Win32Platform.h"
#include "winkit/SingleInstance.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
  // One Zibbet at a time: a second start brings the running one's windows back (every form's
  // name begins "Form") and ends with nothing made, said or opened.
  winkit::SingleInstance running(L"Zibbet.Running");
  if (!running.First()) {
    running.WakeFirst();
    return 0;
  }
  running.Listen(instance, [forms = formkit_win32::WindowClassName("Form")] {
    winkit::BringBackWindows(forms);
  });
  formkit_win32::Win32Platform platform(instance);
  win32::User32Windows windows;
  hostwin::ChatClient chat(windows, [] { return std::make_unique<win32::BackgroundThread>(); });
  const auto program = zibbet::Assemble(platform, chat);
  zibbet::Start(*program);
  return formkit_win32::RunMessageLoop();
}
