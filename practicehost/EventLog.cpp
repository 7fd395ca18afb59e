#include "practicehost/EventLog.h"

#include "practicehost/Text.h"

namespace practicehost {
namespace {

// 100-ns intervals between 1601-01-01 (FILETIME) and 1970-01-01 (Unix).
constexpr unsigned long long kUnixEpochInFileTime = 116444736000000000ULL;
constexpr unsigned long long kFileTimeTicksPerMs = 10000;

long long UnixMilliseconds() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const unsigned long long ticks =
      (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  return static_cast<long long>((ticks - kUnixEpochInFileTime) / kFileTimeTicksPerMs);
}

}  // namespace

bool EventLog::Open(const std::wstring& path) {
  if (path.empty()) {
    return true;
  }
  // FILE_APPEND_DATA: every WriteFile lands whole at the end, readers may share the file.
  file_.Reset(CreateFileW(path.c_str(), FILE_APPEND_DATA,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  return static_cast<bool>(file_);
}

void EventLog::SetText(std::string_view target, std::string_view room, std::string_view bytes) {
  JsonLine line = Event("settext");
  line.Add("target", target);
  if (!room.empty()) {
    line.Add("room", AnsiToUtf8(room));
  }
  line.Add("text", AnsiToUtf8(bytes)).Add("hex", HexBytes(bytes));
  Write(line);
}

void EventLog::Char(std::string_view target, std::string_view room, unsigned code) {
  JsonLine line = Event("char");
  line.Add("target", target);
  if (!room.empty()) {
    line.Add("room", AnsiToUtf8(room));
  }
  line.Add("code", static_cast<long long>(code));
  Write(line);
}

void EventLog::Said(std::string_view room, std::string_view sender, std::string_view plain,
                    std::string_view markup) {
  JsonLine line = Event("said");
  line.Add("room", AnsiToUtf8(room))
      .Add("sender", AnsiToUtf8(sender))
      .Add("text", AnsiToUtf8(plain))
      .Add("markup", AnsiToUtf8(markup));
  Write(line);
}

void EventLog::Opened(std::string_view address) {
  Write(Event("open").Add("address", AnsiToUtf8(address)));
}

void EventLog::Ready(DWORD pid) { Write(Event("ready").Add("pid", static_cast<long long>(pid))); }

void EventLog::Hang(int ms) { Write(Event("hang").Add("ms", ms)); }

void EventLog::Heap(bool sound) { Write(Event("heap").Add("text", sound ? "ok" : "corrupt")); }

JsonLine EventLog::Event(std::string_view event) {
  JsonLine line;
  line.Add("t", UnixMilliseconds()).Add("event", event);
  return line;
}

void EventLog::Write(const JsonLine& line) {
  if (!file_) {
    return;
  }
  const std::string text = line.Finish();
  DWORD written = 0;
  WriteFile(file_.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace practicehost
