#pragma once
// Owners for the Win32 handles the form windows hold, each released in the way its kind needs.

#include <windows.h>

#include <utility>

namespace forms_win32 {

// A handle released by `Free` unless it is null; move-only.
template <typename Handle, typename Free>
class Unique {
 public:
  Unique() = default;
  explicit Unique(Handle handle) : handle_(handle) {}
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
    if (Handle old = std::exchange(handle_, handle)) {
      Free{}(old);
    }
  }

 private:
  Handle handle_ = nullptr;
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
  void operator()(HWND window) const { DestroyWindow(window); }
};

// GDI objects this program created: fonts, pens, bitmaps. Stock objects are never wrapped.
using UniqueFont = Unique<HFONT, DeleteGdiObject>;
using UniquePen = Unique<HPEN, DeleteGdiObject>;
using UniqueBitmap = Unique<HBITMAP, DeleteGdiObject>;
// Icons and cursors loaded or built here (never the shared system ones).
using UniqueIcon = Unique<HICON, DestroyIconHandle>;
using UniqueCursor = Unique<HCURSOR, DestroyCursorHandle>;
// A memory DC from CreateCompatibleDC.
using UniqueDc = Unique<HDC, DeleteMemoryDc>;
// A window with its children.
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

// The DC's clipping, modes and colours as they were when the scope began.
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

class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  ~PaintDc() { EndPaint(window_, &paint_); }

  HDC Get() const { return dc_; }

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

}  // namespace forms_win32
