// Reads back the host's log lines: the flat JSON objects EventLog writes, nothing more general.

#include <charconv>
#include <map>

#include "practicehost/testing/HostProcess.h"

namespace practicehost {
namespace {

constexpr size_t kHexDigits = 4;
constexpr unsigned kAsciiLimit = 0x7F;
// EventLog escapes quotes, backslashes and control characters (\u00XX where JSON names none)
// and writes the rest as it is.
constexpr std::string_view kNamedEscapes = "\"\"\\\\b\bf\fn\nr\rt\t";

// The character an escape (past its backslash) stands for, taken off text; 0 if malformed.
char TakeEscape(std::string_view& text) {
  const size_t named = text.empty() ? std::string_view::npos : kNamedEscapes.find(text[0]);
  if (named != std::string_view::npos && named % 2 == 0) {
    text.remove_prefix(1);
    return kNamedEscapes[named + 1];
  }
  unsigned code = 0;
  const bool read =
      text.starts_with('u') && text.size() > kHexDigits &&
      std::from_chars(&text[1], &text[1] + kHexDigits, code, 16).ptr == &text[1] + kHexDigits;
  text.remove_prefix(read ? 1 + kHexDigits : 0);
  return read && code <= kAsciiLimit ? static_cast<char>(code) : '\0';
}

// The quoted string or the number at the start of text, taken off it; nothing if malformed.
std::optional<std::string> TakeValue(std::string_view& text) {
  std::string value;
  if (!text.starts_with('"')) {
    value = text.substr(0, text.find_first_not_of("-0123456789"));
    text.remove_prefix(value.size());
    return value.empty() ? std::nullopt : std::optional(value);
  }
  text.remove_prefix(1);
  while (!text.empty() && !text.starts_with('"')) {
    const char c = text[0];
    text.remove_prefix(1);
    value.push_back(c == '\\' ? TakeEscape(text) : c);
    if (value.back() == 0) {
      return std::nullopt;
    }
  }
  const bool closed = !text.empty();
  text.remove_prefix(closed ? 1 : 0);
  return closed ? std::optional(value) : std::nullopt;
}

}  // namespace

std::optional<LogEntry> ParseLogLine(std::string_view line) {
  if (!line.starts_with('{') || !line.ends_with('}')) {
    return std::nullopt;
  }
  std::string_view rest = line.substr(1, line.size() - 2);
  std::map<std::string, std::string, std::less<>> fields;
  for (bool more = true; more;) {
    const std::optional<std::string> key = TakeValue(rest);
    const bool paired = key && rest.starts_with(':');
    rest.remove_prefix(paired ? 1 : 0);
    std::optional<std::string> value = paired ? TakeValue(rest) : std::nullopt;
    if (!value) {
      return std::nullopt;
    }
    fields[*key] = std::move(*value);
    more = rest.starts_with(',');
    rest.remove_prefix(more ? 1 : 0);
  }
  if (!rest.empty()) {
    return std::nullopt;
  }
  LogEntry entry{.event = fields["event"],
                 .target = fields["target"],
                 .text = fields["text"],
                 .hex = fields["hex"],
                 .sender = fields["sender"],
                 .markup = fields["markup"],
                 .address = fields["address"]};
  const std::string& t = fields["t"];
  std::from_chars(t.data(), t.data() + t.size(), entry.t);
  return entry;
}

}  // namespace practicehost
