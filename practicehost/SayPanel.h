#pragma once
// The strip above the status line where a person speaks for another member: "Say as" a name, in
// a room, a line.

#include <windows.h>

#include "practicehost/Container.h"
#include "winkit/Subclass.h"

namespace practicehost {

class Host;

class SayPanel {
 public:
  explicit SayPanel(Host& host);
  SayPanel(const SayPanel&) = delete;
  SayPanel& operator=(const SayPanel&) = delete;

  void Create(HWND frame, int id, int rooms);
  HWND Window() const { return panel_.Handle(); }

 private:
  void Layout(int width, int height);
  void Say();

  Host& host_;
  Container panel_;
  winkit::Subclass textHook_;
};

}  // namespace practicehost
