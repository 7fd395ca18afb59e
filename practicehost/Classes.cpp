#include "practicehost/Classes.h"

#include "practicehost/Protocol.h"
#include "practicehost/RichText.h"
#include "practicehost/TextControls.h"
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

bool WindowClasses::Register(HINSTANCE instance, std::string& error) {
  return AddRichTextClass(*this, instance, error) &&
         AddSuperclass(nullptr, kListBoxClass, kListboxClass, ListboxProc, g_listBoxProc, instance,
                       error) &&
         AddTextControlClasses(*this, instance, error);
}

bool WindowClasses::Add(const WNDCLASSEXA& windowClass, std::string& error) {
  if (!RegisterClassExA(&windowClass)) {
    error = std::string("cannot register window class ") + windowClass.lpszClassName;
    return false;
  }
  auto& [name, registration] = classes_.emplace_back();
  name = winkit::WideFromAnsi(windowClass.lpszClassName);
  registration.emplace(name.c_str(), windowClass.hInstance);
  return true;
}

bool WindowClasses::AddSuperclass(const char* library, const char* base, const char* name,
                                  WNDPROC proc, WNDPROC& baseProc, HINSTANCE instance,
                                  std::string& error) {
  HINSTANCE source = nullptr;
  if (library) {
    source = libraries_.emplace_back(LoadLibraryA(library)).Get();
  }
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (!GetClassInfoExA(source, base, &windowClass)) {
    error = std::string("the system's ") + base + " class is not available";
    return false;
  }
  baseProc = windowClass.lpfnWndProc;
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = name;
  windowClass.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
  return Add(windowClass, error);
}

}  // namespace practicehost
