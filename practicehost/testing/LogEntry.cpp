// Reads back the host's log lines: the flat JSON objects EventLog writes, nothing more general.

#include <charconv>

#include "practicehost/testing/HostProcess.h"

namespace practicehost {
namespace {

constexpr int kHexDigitsInEscape = 4;
constexpr char kAsciiLimit = 0x7F;

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  bool Take(char c) {
    const bool found = pos_ < text_.size() && text_[pos_] == c;
    pos_ += found ? 1 : 0;
    return found;
  }
  bool AtEnd() const { return pos_ == text_.size(); }
  bool AtQuote() const { return pos_ < text_.size() && text_[pos_] == '"'; }

  // EventLog escapes quotes, backslashes and control characters, and writes the rest as it is.
  std::optional<std::string> String() {
    static constexpr std::string_view kNamed = "\"\"\\\\b\bf\fn\nr\rt\t";
    std::string out;
    for (bool open = Take('"'); open && pos_ < text_.size();) {
      const char c = text_[pos_++];
      if (c == '"') return out;
      if (c != '\\') {
        out.push_back(c);
        continue;
      }
      const size_t named = pos_ < text_.size() ? kNamed.find(text_[pos_]) : std::string_view::npos;
      unsigned code = 0;
      if (named != std::string_view::npos && named % 2 == 0) {
        out.push_back(kNamed[named + 1]);
        ++pos_;
      } else if (Take('u') && text_.size() - pos_ >= kHexDigitsInEscape &&
                 std::from_chars(&text_[pos_], &text_[pos_] + kHexDigitsInEscape, code, 16).ptr ==
                     &text_[pos_] + kHexDigitsInEscape &&
                 code <= kAsciiLimit) {
        out.push_back(static_cast<char>(code));
        pos_ += kHexDigitsInEscape;
      } else {
        return std::nullopt;
      }
    }
    return std::nullopt;
  }

  std::optional<long long> Integer() {
    long long value = 0;
    const auto [ptr, ec] = std::from_chars(text_.data() + pos_, text_.data() + text_.size(), value);
    if (ec != std::errc()) return std::nullopt;
    pos_ = static_cast<size_t>(ptr - text_.data());
    return value;
  }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

std::string* StringField(LogEntry& entry, std::string_view key) {
  for (auto [name, field] : {std::pair{"event", &entry.event},
                             {"target", &entry.target},
                             {"room", &entry.room},
                             {"text", &entry.text},
                             {"hex", &entry.hex},
                             {"sender", &entry.sender},
                             {"markup", &entry.markup},
                             {"address", &entry.address}}) {
    if (key == name) return field;
  }
  return nullptr;
}

}  // namespace

std::optional<LogEntry> ParseLogLine(std::string_view line) {
  Reader reader(line);
  LogEntry entry;
  if (!reader.Take('{')) return std::nullopt;
  do {
    const std::optional<std::string> key = reader.String();
    if (!key || !reader.Take(':')) return std::nullopt;
    if (reader.AtQuote()) {
      std::optional<std::string> value = reader.String();
      if (!value) return std::nullopt;
      if (std::string* field = StringField(entry, *key)) *field = std::move(*value);
      continue;
    }
    const std::optional<long long> value = reader.Integer();
    if (!value) return std::nullopt;
    if (*key == "t") entry.t = *value;
    if (*key == "code") entry.code = *value;
  } while (reader.Take(','));
  if (!reader.Take('}') || !reader.AtEnd()) return std::nullopt;
  return entry;
}

}  // namespace practicehost
