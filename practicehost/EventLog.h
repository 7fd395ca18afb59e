#pragma once
// The host's log: one JSON object a line, UTF-8, each line written through at once so that a test
// reading the file from another process sees every event as soon as it happened.

#include <windows.h>

#include <string>
#include <string_view>

#include "practicehost/Text.h"
#include "winkit/Handles.h"

namespace practicehost {

class EventLog {
 public:
  // Appends to path; an empty path logs nothing. False if the file cannot be opened.
  bool Open(const std::wstring& path);

  // room: the room's name, or empty for a box outside the rooms. Texts arrive in ANSI bytes.
  void SetText(std::string_view target, std::string_view room, std::string_view bytes);
  void Char(std::string_view target, std::string_view room, unsigned code);
  void Said(std::string_view room, std::string_view sender, std::string_view plain,
            std::string_view markup);
  void Opened(std::string_view address);
  void Ready(DWORD pid);
  void Hang(int ms);
  void Heap(bool sound);

 private:
  static JsonLine Event(std::string_view event);
  void Write(const JsonLine& line);

  winkit::UniqueHandle file_;
};

}  // namespace practicehost
