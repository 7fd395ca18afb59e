#pragma once
// Hooks on controls: their owner sees a control's messages before the control does.

#include <windows.h>

#include <functional>
#include <optional>

namespace practicehost {

// A value returned ends the message there; nothing passes it on to the control.
using MessageHook = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

// The hook must outlive the control.
void InstallHook(HWND control, MessageHook* hook);
// A hooked control's own handling of a message, bypassing its hook.
LRESULT CallOriginal(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace practicehost
