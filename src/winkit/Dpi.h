#pragma once
// The display's scale as Windows reports it to a program that follows each monitor's scale. What
// the running Windows lacks (everything before 8.1) answers as the one scale of the whole system.

#include <windows.h>

namespace winkit {

inline constexpr int kDefaultDpi = 96;
// Sent to a window whose monitor's scale changed under it (8.1 and later), and before that, from
// Windows 10's 2017 update, to ask the size it wants at the new scale. Older headers lack them.
inline constexpr UINT kDpiChangedMessage = 0x02E0;
inline constexpr UINT kGetDpiScaledSizeMessage = 0x02E4;

// Windows offers 100 % to 500 %; a scale far beyond is nonsense.
constexpr bool PlausibleDpi(int dpi) { return dpi >= kDefaultDpi / 2 && dpi <= kDefaultDpi * 10; }

// The scale the system started the session at: the one scale before Windows 8.1.
int SystemDpi();

// The scale of the monitor nearest the point; the system's where Windows has no such scale.
int MonitorDpi(POINT point);

// The scale the window is laid out for, by the system's reckoning; 0 where Windows does not tell
// (before Windows 10's 2016 update).
int WindowDpi(HWND window);

// The window rectangle around `client` for a window of that style at that scale. Before Windows
// 10 the frame has one size wherever the window is.
RECT FrameAround(RECT client, DWORD style, DWORD exStyle, int dpi);

// A WM_DPICHANGED's new scale (both words carry it); 0 when the message makes no sense.
int DpiFromMessage(WPARAM wParam);

}  // namespace winkit
