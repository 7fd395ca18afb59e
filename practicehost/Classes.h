#pragma once
// The window classes of the host's controls that are not windows of objects: the chat client's
// rich edit and list box, its icon and its title.

#include <windows.h>

#include <list>
#include <optional>
#include <string>
#include <utility>

#include "practicehost/Options.h"
#include "winkit/Handles.h"

namespace practicehost {

// Kept alive until all windows of the classes are gone.
class WindowClasses {
 public:
  WindowClasses() = default;
  WindowClasses(const WindowClasses&) = delete;
  WindowClasses& operator=(const WindowClasses&) = delete;

  // Registers them all, RICHCNTL of the transcript's kind; false, with a reason, if a class could
  // not be registered.
  bool Register(HINSTANCE instance, TranscriptKind transcript, std::string& error);

  bool Add(const WNDCLASSEXA& windowClass, std::string& error);
  // name: the system class base's behaviour (from library, kept loaded, if not null), with proc
  // seeing its messages first and passing them on to baseProc; registered through the Unicode
  // functions if unicode, so that its windows are Unicode ones.
  bool AddSuperclass(const char* library, const char* base, const char* name, WNDPROC proc,
                     WNDPROC& baseProc, HINSTANCE instance, std::string& error,
                     bool unicode = false);

 private:
  void Registered(const char* name, HINSTANCE instance);

  std::list<winkit::UniqueModule> libraries_;
  // Each name before its registration, which unregisters the class by it.
  std::list<std::pair<std::wstring, std::optional<winkit::ClassRegistration>>> classes_;
};

}  // namespace practicehost
