#pragma once
// Owners for the Win32 handles the practice host and its test driver hold.

#include <windows.h>

#include <utility>

namespace practicehost {

// Kernel handles closed with CloseHandle (processes, threads, files).
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE handle)
      : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  HANDLE Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset() {
    if (handle_) CloseHandle(std::exchange(handle_, nullptr));
  }

 private:
  HANDLE handle_ = nullptr;
};

// GDI objects we create (fonts, brushes, pens); stock objects are never wrapped.
template <typename T>
class UniqueGdi {
 public:
  UniqueGdi() = default;
  explicit UniqueGdi(T object) : object_(object) {}
  UniqueGdi(UniqueGdi&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  UniqueGdi& operator=(UniqueGdi&& other) noexcept {
    if (this != &other) {
      Reset();
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }
  UniqueGdi(const UniqueGdi&) = delete;
  UniqueGdi& operator=(const UniqueGdi&) = delete;
  ~UniqueGdi() { Reset(); }

  T Get() const { return object_; }
  void Reset() {
    if (object_) DeleteObject(std::exchange(object_, nullptr));
  }

 private:
  T object_ = nullptr;
};

// Selects an object into a DC for one scope, so it is never deleted while selected.
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

class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  ~PaintDc() { EndPaint(window_, &paint_); }

  HDC Get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

class UniqueModule {
 public:
  explicit UniqueModule(HMODULE module) : module_(module) {}
  UniqueModule(const UniqueModule&) = delete;
  UniqueModule& operator=(const UniqueModule&) = delete;
  ~UniqueModule() {
    if (module_) FreeLibrary(module_);
  }

  HMODULE Get() const { return module_; }

 private:
  HMODULE module_;
};

// A registered window class; unregistered once no window of it can be left.
class ClassRegistration {
 public:
  ClassRegistration(const char* name, HINSTANCE instance) : name_(name), instance_(instance) {}
  ClassRegistration(const ClassRegistration&) = delete;
  ClassRegistration& operator=(const ClassRegistration&) = delete;
  ~ClassRegistration() { UnregisterClassA(name_, instance_); }

 private:
  const char* name_;
  HINSTANCE instance_;
};

// A top-level window; child windows are left to their parent, which destroys them with itself.
class UniqueWindow {
 public:
  UniqueWindow() = default;
  explicit UniqueWindow(HWND window) : window_(window) {}
  UniqueWindow(const UniqueWindow&) = delete;
  UniqueWindow& operator=(const UniqueWindow&) = delete;
  ~UniqueWindow() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
  }

  HWND Get() const { return window_; }
  void Reset(HWND window) { window_ = window; }
  // For when the window went away by itself (WM_DESTROY).
  void Forget() { window_ = nullptr; }

 private:
  HWND window_ = nullptr;
};

}  // namespace practicehost
