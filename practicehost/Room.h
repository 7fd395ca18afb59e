#pragma once
// A chat room: an "AOL Child" document window holding the transcript, the input box, the member
// list, the send icon and the room's title, in that order among its children.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "practicehost/Container.h"
#include "practicehost/Markup.h"
#include "practicehost/Transcript.h"
#include "winkit/Subclass.h"

namespace practicehost {

class Host;

class Room {
 public:
  Room(Host& host, int number);
  Room(const Room&) = delete;
  Room& operator=(const Room&) = delete;

  // Creates the room's window in the MDI client; false if that failed.
  bool Create(HWND mdiClient, const RECT& bounds);

  HWND Window() const { return container_.Handle(); }
  HWND Input() const;
  const std::string& Name() const { return name_; }

  // Adds sender's line to the transcript and sender to the members. False, and nothing said, if
  // the line shows no text or the room's window is gone.
  bool Say(std::string_view sender, std::string_view markup);

 private:
  std::optional<LRESULT> OnInputMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void SayInput();
  // Cuts the transcript's top down to the options' caps, as a client keeping short history does.
  void Trim();
  void AddMember(std::string_view name);
  // Old lines of about `bytes` bytes, all in place when this returns.
  void AddHistory(int bytes);
  void Layout(int width, int height);
  HWND TranscriptWindow() const;

  Host& host_;
  int number_;
  std::string name_;
  ReadHabits habits_;
  // Before the container: its window holds a pointer to the transcript.
  std::unique_ptr<Transcript> transcript_;
  Container container_;
  winkit::Subclass inputHook_;
};

}  // namespace practicehost
