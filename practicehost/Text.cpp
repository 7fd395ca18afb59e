#include "practicehost/Text.h"

#include "winkit/Text.h"

namespace practicehost {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";
constexpr unsigned char kFirstPrintable = 0x20;

}  // namespace

std::string AnsiToUtf8(std::string_view ansi) { return winkit::ToUtf8(winkit::WideFromAnsi(ansi)); }

std::string HexBytes(std::string_view bytes) {
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    hex.push_back(kHexDigits[byte >> 4]);
    hex.push_back(kHexDigits[byte & 0xF]);
  }
  return hex;
}

std::string_view TrimBlanks(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return {};
  }
  const size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

void AppendJsonString(std::string& out, std::string_view utf8) {
  out.push_back('"');
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      default:
        if (byte < kFirstPrintable) {
          out += "\\u00";
          out.push_back(kHexDigits[byte >> 4]);
          out.push_back(kHexDigits[byte & 0xF]);
        } else {
          out.push_back(c);
        }
    }
  }
  out.push_back('"');
}

void JsonLine::Key(std::string_view key) {
  body_.push_back(body_.empty() ? '{' : ',');
  AppendJsonString(body_, key);
  body_.push_back(':');
}

JsonLine& JsonLine::Add(std::string_view key, std::string_view value) {
  Key(key);
  AppendJsonString(body_, value);
  return *this;
}

JsonLine& JsonLine::Add(std::string_view key, long long value) {
  Key(key);
  body_ += std::to_string(value);
  return *this;
}

std::string JsonLine::Finish() const { return (body_.empty() ? "{" : body_) + "}\n"; }

}  // namespace practicehost
