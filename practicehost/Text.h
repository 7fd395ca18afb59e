#pragma once
// Texts for the log: hex bytes, trimmed blanks, JSON lines.

#include <string>
#include <string_view>

namespace practicehost {

// ANSI code page bytes, as the chat client's windows hold them, in the log's UTF-8.
std::string AnsiToUtf8(std::string_view ansi);

// Lower-case hex of the raw bytes, two digits each.
std::string HexBytes(std::string_view bytes);

// Without leading and trailing spaces, tabs and line breaks.
std::string_view TrimBlanks(std::string_view text);

// One JSON object on one line, fields in the order added; strings must be UTF-8.
class JsonLine {
 public:
  JsonLine& Add(std::string_view key, std::string_view value);
  JsonLine& Add(std::string_view key, long long value);
  // The object and a terminating "\n".
  std::string Finish() const;

 private:
  void Key(std::string_view key);
  std::string body_;
};

void AppendJsonString(std::string& out, std::string_view utf8);

}  // namespace practicehost
