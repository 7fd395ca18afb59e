// Zibbet.exe: the five windows on Win32, starting with the splash window.
#include <windows.h>

#include "Zibbet.h"
#include "forms/Program.h"
#include "win32/User32Windows.h"
#include "win32/forms/Win32Platform.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
  forms_win32::Win32Platform platform(instance);
  win32::User32Windows windows;
  zibbet::ChatClient chat(windows);
  forms::Program program(platform, zibbet::Behaviours(chat), zibbet::Components(chat));
  zibbet::Start(program);
  return forms_win32::RunMessageLoop();
}
