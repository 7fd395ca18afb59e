#pragma once
// The chat client's icon (a button-like picture with a label) and a room's title: windows that
// paint their text in the font they are given, like standard controls.

#include <windows.h>

#include <string>

namespace practicehost {

class WindowClasses;

// False, with a reason, if a class could not be registered.
bool AddTextControlClasses(WindowClasses& classes, HINSTANCE instance, std::string& error);

}  // namespace practicehost
