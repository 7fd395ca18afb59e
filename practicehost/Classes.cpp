#include "practicehost/Classes.h"

#include "practicehost/Protocol.h"
#include "practicehost/TextControls.h"
#include "practicehost/Transcript.h"
#include "winkit/Text.h"

namespace practicehost {
namespace {

constexpr char kListBoxClass[] = "ListBox";

// The system's list box procedure, which _AOL_Listbox passes messages on to.
WNDPROC g_listBoxProc = nullptr;

LRESULT CALLBACK ListboxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(g_listBoxProc, window, message, wParam, lParam);
}

}  // namespace

bool WindowClasses::Register(HINSTANCE instance, TranscriptKind transcript, std::string& error) {
  return AddTranscriptClass(*this, instance, transcript, error) &&
         AddSuperclass(nullptr, kListBoxClass, kListboxClass, ListboxProc, g_listBoxProc, instance,
                       error) &&
         AddTextControlClasses(*this, instance, error);
}

bool WindowClasses::Add(const WNDCLASSEXA& windowClass, std::string& error) {
  if (!RegisterClassExA(&windowClass)) {
    error = std::string("cannot register window class ") + windowClass.lpszClassName;
    return false;
  }
  Registered(windowClass.lpszClassName, windowClass.hInstance);
  return true;
}

void WindowClasses::Registered(const char* className, HINSTANCE instance) {
  auto& [name, registration] = classes_.emplace_back();
  name = winkit::WideFromAnsi(className);
  registration.emplace(name.c_str(), instance);
}

bool WindowClasses::AddSuperclass(const char* library, const char* base, const char* name,
                                  WNDPROC proc, WNDPROC& baseProc, HINSTANCE instance,
                                  std::string& error, bool unicode) {
  HINSTANCE source = nullptr;
  if (library) {
    source = libraries_.emplace_back(LoadLibraryA(library)).Get();
  }
  const auto unavailable = [&] {
    error = std::string("the system's ") + base + " class is not available" +
            (library ? std::string(" (") + library + ")" : "");
    return false;
  };
  if (!unicode) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (!GetClassInfoExA(source, base, &windowClass)) {
      return unavailable();
    }
    baseProc = windowClass.lpfnWndProc;
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = name;
    windowClass.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
    return Add(windowClass, error);
  }
  const std::wstring wideBase = winkit::WideFromAnsi(base);
  const std::wstring wideName = winkit::WideFromAnsi(name);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (!GetClassInfoExW(source, wideBase.c_str(), &windowClass)) {
    return unavailable();
  }
  baseProc = windowClass.lpfnWndProc;
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = wideName.c_str();
  windowClass.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
  if (!RegisterClassExW(&windowClass)) {
    error = std::string("cannot register window class ") + name;
    return false;
  }
  Registered(name, instance);
  return true;
}

}  // namespace practicehost
