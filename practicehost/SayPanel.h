#pragma once
// The strip above the status line where a person speaks for another member: "Say as" a name, in
// a room, a line.

#include <windows.h>

#include "practicehost/Controls.h"

namespace practicehost {

class Host;

class SayPanel {
 public:
  explicit SayPanel(Host& host);
  SayPanel(const SayPanel&) = delete;
  SayPanel& operator=(const SayPanel&) = delete;

  void Create(HWND frame, int id, int rooms);
  HWND Window() const { return panel_; }

 private:
  void Layout(int width, int height);
  void Say();

  Host& host_;
  Container container_;
  MessageHook textHook_;
  HWND panel_ = nullptr;
  HWND label_ = nullptr;
  HWND sender_ = nullptr;
  HWND inLabel_ = nullptr;
  HWND room_ = nullptr;
  HWND text_ = nullptr;
  HWND button_ = nullptr;
};

}  // namespace practicehost
