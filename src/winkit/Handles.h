#pragma once
// Owners for every Win32 handle and GDI object, each released in the way its kind needs, and
// scoped changes to a device context that undo themselves.

#include <windows.h>

#include <utility>

namespace winkit {

// A handle released by `Free` unless it is null; move-only. A `Free` with a static
// `IsInvalid(handle)` names a second "no handle" value (INVALID_HANDLE_VALUE) that is kept as null.
template <typename Handle, typename Free>
class Unique {
 public:
  Unique() = default;
  explicit Unique(Handle handle) : handle_(Normalize(handle)) {}
  Unique(Unique&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) {
      Reset(std::exchange(other.handle_, nullptr));
    }
    return *this;
  }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  ~Unique() { Reset(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Gives up ownership: for a handle that went away by other means.
  Handle Release() { return std::exchange(handle_, nullptr); }
  void Reset(Handle handle = nullptr) {
    if (Handle old = std::exchange(handle_, Normalize(handle))) {
      Free{}(old);
    }
  }

 private:
  static Handle Normalize(Handle handle) {
    if constexpr (requires { Free::IsInvalid(handle); }) {
      return Free::IsInvalid(handle) ? nullptr : handle;
    } else {
      return handle;
    }
  }

  Handle handle_ = nullptr;
};

struct CloseKernelHandle {
  static bool IsInvalid(HANDLE handle) { return handle == INVALID_HANDLE_VALUE; }
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct FreeModule {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DestroyIconHandle {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct DestroyCursorHandle {
  void operator()(HCURSOR cursor) const { DestroyCursor(cursor); }
};
struct DeleteMemoryDc {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
struct DestroyWindowHandle {
  // A window may have gone with its parent already.
  void operator()(HWND window) const {
    if (IsWindow(window) != FALSE) {
      DestroyWindow(window);
    }
  }
};

// Processes, threads, files, events.
using UniqueHandle = Unique<HANDLE, CloseKernelHandle>;
// A library from LoadLibrary.
using UniqueModule = Unique<HMODULE, FreeModule>;
// GDI objects this program created. Stock objects are never wrapped.
using UniqueFont = Unique<HFONT, DeleteGdiObject>;
using UniquePen = Unique<HPEN, DeleteGdiObject>;
using UniqueBrush = Unique<HBRUSH, DeleteGdiObject>;
using UniqueBitmap = Unique<HBITMAP, DeleteGdiObject>;
using UniqueRegion = Unique<HRGN, DeleteGdiObject>;
// Icons and cursors loaded or built here (never the shared system ones).
using UniqueIcon = Unique<HICON, DestroyIconHandle>;
using UniqueCursor = Unique<HCURSOR, DestroyCursorHandle>;
// A memory DC from CreateCompatibleDC.
using UniqueDc = Unique<HDC, DeleteMemoryDc>;
// A window with its children: Reset and the destructor destroy it, Release forgets it (for a
// window that was destroyed from outside).
using UniqueWindow = Unique<HWND, DestroyWindowHandle>;

// Selects an object into a DC for one scope, so that nothing is deleted while still selected.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;
  ~ScopedSelect() { SelectObject(dc_, previous_); }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// The DC's clipping, selections, modes and colours as they were when the scope began.
class ScopedDcState {
 public:
  explicit ScopedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ScopedDcState(const ScopedDcState&) = delete;
  ScopedDcState& operator=(const ScopedDcState&) = delete;
  ~ScopedDcState() { RestoreDC(dc_, saved_); }

 private:
  HDC dc_;
  int saved_;
};

// BeginPaint ... EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  ~PaintDc() { EndPaint(window_, &paint_); }

  HDC Get() const { return dc_; }
  const RECT& Area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// A window's (or, with no window, the screen's) DC, released at the end of the scope.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) {
      ReleaseDC(window_, dc_);
    }
  }

  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A window timer, killed when the object goes; moving it hands the timer over.
class WindowTimer {
 public:
  WindowTimer() = default;
  WindowTimer(HWND window, UINT_PTR id, UINT milliseconds)
      : window_(window), id_(SetTimer(window, id, milliseconds, nullptr) != 0 ? id : 0) {}
  WindowTimer(WindowTimer&& other) noexcept
      : window_(std::exchange(other.window_, nullptr)), id_(std::exchange(other.id_, 0)) {}
  WindowTimer& operator=(WindowTimer&& other) noexcept {
    if (this != &other) {
      Reset();
      window_ = std::exchange(other.window_, nullptr);
      id_ = std::exchange(other.id_, 0);
    }
    return *this;
  }
  WindowTimer(const WindowTimer&) = delete;
  WindowTimer& operator=(const WindowTimer&) = delete;
  ~WindowTimer() { Reset(); }

  bool Running() const { return id_ != 0; }
  void Reset() {
    if (id_ != 0) {
      KillTimer(window_, std::exchange(id_, 0));
    }
  }

 private:
  HWND window_ = nullptr;
  UINT_PTR id_ = 0;
};

// A registered window class, unregistered when no window of it can be left.
class ClassRegistration {
 public:
  ClassRegistration(const wchar_t* name, HINSTANCE module) : name_(name), module_(module) {}
  ClassRegistration(const ClassRegistration&) = delete;
  ClassRegistration& operator=(const ClassRegistration&) = delete;
  ~ClassRegistration() { UnregisterClassW(name_, module_); }

 private:
  const wchar_t* name_;
  HINSTANCE module_;
};

}  // namespace winkit
