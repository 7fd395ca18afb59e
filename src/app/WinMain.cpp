// Zibbet.exe: the five windows on Win32 over the chat client's windows, starting with the splash
// window.
#include <windows.h>

#include <memory>

#include "app/Zibbet.h"
#include "hostwin/ChatClient.h"
#include "win32/BackgroundThread.h"
#include "win32/User32Windows.h"
#include "win32/formkit/Win32Platform.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
  formkit_win32::Win32Platform platform(instance);
  win32::User32Windows windows;
  hostwin::ChatClient chat(windows, [] { return std::make_unique<win32::BackgroundThread>(); });
  const auto program = zibbet::Assemble(platform, chat);
  zibbet::Start(*program);
  return formkit_win32::RunMessageLoop();
}
