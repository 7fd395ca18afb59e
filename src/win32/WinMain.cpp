// Zibbet.exe: the five windows on Win32, starting with the splash window.
#include <windows.h>

#include "Zibbet.h"
#include "forms/Program.h"
#include "win32/forms/Win32Platform.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
  forms_win32::Win32Platform platform(instance);
  forms::Program program(platform, zibbet::MakeBehaviour, zibbet::MakeComponent);
  zibbet::Start(program);
  return forms_win32::RunMessageLoop();
}
