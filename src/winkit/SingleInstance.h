#pragma once
// One running copy of a program in the user's session. The first copy holds a named mutex and
// listens with a message-only window; a later copy finds that window, asks the first to wake (to
// bring its windows back, say) and ends without a window of its own.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "winkit/Handles.h"

namespace winkit {

class SingleInstance {
 public:
  // How long a later copy keeps looking for the first one's listening window (it may have started
  // a moment ago and have none yet), and how long one wake may take to be answered.
  static constexpr DWORD kFindMs = 3000;
  static constexpr UINT kAnswerMs = 2000;

  // Claims `name` in this session: the mutex "Local\<name>"; the listening window's class and
  // the wake's registered message have the name too. Where the mutex cannot be made at all, this
  // copy counts as the first: it runs rather than refuse to.
  explicit SingleInstance(std::wstring_view name);
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;
  ~SingleInstance();

  bool First() const { return first_; }

  // The first copy: from now on a later copy's wake runs `onWake` on this thread, while it
  // dispatches messages, as a click of the user's would. False if the window could not be made.
  bool Listen(HINSTANCE module, std::function<void()> onWake);

  // A later copy: lets the first copy take the foreground (the right this copy was started with)
  // and wakes it, looking for it again until it answers or `findMs` has passed; each wake is
  // bounded by kAnswerMs and gives up at once on a copy that hangs. True once it answered.
  bool WakeFirst(DWORD findMs = kFindMs) const;

 private:
  class Listener;

  std::wstring name_;
  UINT wake_ = 0;
  UniqueHandle mutex_;
  bool first_ = true;
  std::unique_ptr<Listener> listener_;
};

// Brings back this thread's visible top-level windows whose class name begins with
// `classPrefix`: the minimized ones are restored (ShowWindow SW_RESTORE, as the user's restore
// does), and the topmost of them, the one active last, is put in front. Hidden windows stay
// hidden. Returns how many windows it brought back.
int BringBackWindows(std::wstring_view classPrefix);

}  // namespace winkit
