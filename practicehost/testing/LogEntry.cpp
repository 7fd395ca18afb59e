// The host's log lines: flat JSON objects written by EventLog.

#include <charconv>
#include <cstdint>

#include "practicehost/testing/HostProcess.h"

namespace practicehost {
namespace {

constexpr std::uint32_t kHighSurrogateFirst = 0xD800;
constexpr std::uint32_t kLowSurrogateFirst = 0xDC00;
constexpr std::uint32_t kSurrogateEnd = 0xE000;
constexpr std::uint32_t kSupplementaryFirst = 0x10000;
constexpr int kSurrogateBits = 10;
constexpr char kFirstPrintable = 0x20;

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  void SkipSpace() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                   text_[pos_] == '\r' || text_[pos_] == '\n')) {
      ++pos_;
    }
  }
  bool Take(char c) {
    SkipSpace();
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  char Peek() {
    SkipSpace();
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  bool AtEnd() {
    SkipSpace();
    return pos_ == text_.size();
  }

  std::optional<std::string> String() {
    if (!Take('"')) {
      return std::nullopt;
    }
    std::string out;
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      if (c == '"') {
        return out;
      }
      if (c == '\\') {
        if (!Escape(out)) {
          return std::nullopt;
        }
      } else if (static_cast<unsigned char>(c) < static_cast<unsigned char>(kFirstPrintable)) {
        return std::nullopt;  // raw control characters are not JSON
      } else {
        out.push_back(c);
      }
    }
    return std::nullopt;
  }

  std::optional<long long> Integer() {
    SkipSpace();
    long long value = 0;
    const char* begin = text_.data() + pos_;
    const char* end = text_.data() + text_.size();
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr == begin) {
      return std::nullopt;
    }
    pos_ += static_cast<size_t>(ptr - begin);
    if (pos_ < text_.size() && (text_[pos_] == '.' || text_[pos_] == 'e' || text_[pos_] == 'E')) {
      return std::nullopt;  // the log has integers only
    }
    return value;
  }

 private:
  std::optional<std::uint32_t> Hex4() {
    if (text_.size() - pos_ < 4) {
      return std::nullopt;
    }
    std::uint32_t value = 0;
    const auto [ptr, ec] = std::from_chars(text_.data() + pos_, text_.data() + pos_ + 4, value, 16);
    if (ec != std::errc() || ptr != text_.data() + pos_ + 4) {
      return std::nullopt;
    }
    pos_ += 4;
    return value;
  }

  bool Escape(std::string& out) {
    if (pos_ >= text_.size()) {
      return false;
    }
    const char c = text_[pos_++];
    switch (c) {
      case '"':
        out.push_back('"');
        return true;
      case '\\':
        out.push_back('\\');
        return true;
      case '/':
        out.push_back('/');
        return true;
      case 'b':
        out.push_back('\b');
        return true;
      case 'f':
        out.push_back('\f');
        return true;
      case 'n':
        out.push_back('\n');
        return true;
      case 'r':
        out.push_back('\r');
        return true;
      case 't':
        out.push_back('\t');
        return true;
      case 'u':
        break;
      default:
        return false;
    }
    const std::optional<std::uint32_t> unit = Hex4();
    if (!unit) {
      return false;
    }
    std::uint32_t code = *unit;
    if (code >= kLowSurrogateFirst && code < kSurrogateEnd) {
      return false;  // lone low half
    }
    if (code >= kHighSurrogateFirst && code < kLowSurrogateFirst) {
      if (text_.substr(pos_, 2) != "\\u") {
        return false;
      }
      pos_ += 2;
      const std::optional<std::uint32_t> low = Hex4();
      if (!low || *low < kLowSurrogateFirst || *low >= kSurrogateEnd) {
        return false;
      }
      code = kSupplementaryFirst + ((code - kHighSurrogateFirst) << kSurrogateBits) +
             (*low - kLowSurrogateFirst);
    }
    AppendUtf8(out, code);
    return true;
  }

  std::string_view text_;
  size_t pos_ = 0;
};

std::string* StringField(LogEntry& entry, std::string_view key) {
  if (key == "event") {
    return &entry.event;
  }
  if (key == "target") {
    return &entry.target;
  }
  if (key == "room") {
    return &entry.room;
  }
  if (key == "text") {
    return &entry.text;
  }
  if (key == "hex") {
    return &entry.hex;
  }
  if (key == "sender") {
    return &entry.sender;
  }
  if (key == "markup") {
    return &entry.markup;
  }
  if (key == "address") {
    return &entry.address;
  }
  return nullptr;
}

}  // namespace

std::optional<LogEntry> ParseLogLine(std::string_view line) {
  Reader reader(line);
  LogEntry entry;
  if (!reader.Take('{')) {
    return std::nullopt;
  }
  if (!reader.Take('}')) {
    do {
      const std::optional<std::string> key = reader.String();
      if (!key || !reader.Take(':')) {
        return std::nullopt;
      }
      if (reader.Peek() == '"') {
        std::optional<std::string> value = reader.String();
        if (!value) {
          return std::nullopt;
        }
        if (std::string* field = StringField(entry, *key)) *field = std::move(*value);
      } else {
        const std::optional<long long> value = reader.Integer();
        if (!value) {
          return std::nullopt;  // other value kinds never appear in the log
        }
        if (*key == "t") entry.t = *value;
        if (*key == "code") entry.code = *value;
        if (*key == "pid") entry.pid = *value;
      }
    } while (reader.Take(','));
    if (!reader.Take('}')) {
      return std::nullopt;
    }
  }
  if (!reader.AtEnd()) {
    return std::nullopt;
  }
  return entry;
}

}  // namespace practicehost
