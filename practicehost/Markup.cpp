#include "practicehost/Markup.h"

#include <cctype>
#include <optional>

namespace practicehost {
namespace {

constexpr std::string_view kFontName = "font";
constexpr std::string_view kColorAttribute = "color";
constexpr size_t kHexDigitsInColor = 6;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) {
      return false;
    }
  }
  return true;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  const char lower = Lower(c);
  if (lower >= 'a' && lower <= 'f') {
    return lower - 'a' + 10;
  }
  return -1;
}

// "#RRGGBB" in HTML order.
std::optional<Color> ParseHtmlColor(std::string_view value) {
  if (value.size() != 1 + kHexDigitsInColor || value[0] != '#') {
    return std::nullopt;
  }
  unsigned channels[3] = {};
  for (size_t i = 0; i < kHexDigitsInColor; ++i) {
    const int digit = HexValue(value[1 + i]);
    if (digit < 0) {
      return std::nullopt;
    }
    channels[i / 2] = channels[i / 2] * 16 + static_cast<unsigned>(digit);
  }
  return MakeColor(channels[0], channels[1], channels[2]);
}

struct FontTag {
  size_t length = 0;
  std::optional<Color> color;
};

class TagScanner {
 public:
  TagScanner(std::string_view text, size_t pos) : text_(text), pos_(pos) {}

  bool Take(char c) {
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  bool TakeWord(std::string_view word) {
    if (text_.size() - pos_ < word.size()) {
      return false;
    }
    if (!EqualsIgnoringCase(text_.substr(pos_, word.size()), word)) {
      return false;
    }
    pos_ += word.size();
    return true;
  }
  // True if at least one blank was skipped.
  bool SkipBlanks() {
    const size_t start = pos_;
    while (pos_ < text_.size() && IsBlank(text_[pos_])) {
      ++pos_;
    }
    return pos_ != start;
  }
  std::string_view TakeName() {
    const size_t start = pos_;
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (IsBlank(c) || c == '=' || c == '>' || c == '/' || c == '<' || c == '"' || c == '\'') {
        break;
      }
      ++pos_;
    }
    return text_.substr(start, pos_ - start);
  }
  std::optional<std::string_view> TakeValue() {
    if (pos_ < text_.size() && (text_[pos_] == '"' || text_[pos_] == '\'')) {
      const char quote = text_[pos_];
      const size_t end = text_.find(quote, pos_ + 1);
      if (end == std::string_view::npos) {
        return std::nullopt;
      }
      const std::string_view value = text_.substr(pos_ + 1, end - pos_ - 1);
      pos_ = end + 1;
      return value;
    }
    const size_t start = pos_;
    while (pos_ < text_.size() && !IsBlank(text_[pos_]) && text_[pos_] != '>') {
      ++pos_;
    }
    if (pos_ == start) {
      return std::nullopt;
    }
    return text_.substr(start, pos_ - start);
  }
  bool AtEnd() const { return pos_ >= text_.size(); }
  size_t Pos() const { return pos_; }

 private:
  std::string_view text_;
  size_t pos_;
};

// A font tag starting at text[pos] ('<'), or nothing if what starts there is text.
std::optional<FontTag> MatchFontTag(std::string_view text, size_t pos) {
  TagScanner scan(text, pos);
  scan.Take('<');
  if (scan.Take('/')) {
    if (!scan.TakeWord(kFontName)) {
      return std::nullopt;
    }
    scan.SkipBlanks();
    if (!scan.Take('>')) {
      return std::nullopt;
    }
    return FontTag{scan.Pos() - pos, std::nullopt};
  }
  if (!scan.TakeWord(kFontName)) {
    return std::nullopt;
  }
  FontTag tag;
  bool separated = false;  // attributes need blanks between them
  for (;;) {
    separated = scan.SkipBlanks() || separated;
    if (scan.Take('>')) {
      break;
    }
    if (!separated || scan.AtEnd()) {
      return std::nullopt;
    }
    const std::string_view name = scan.TakeName();
    if (name.empty()) {
      return std::nullopt;
    }
    separated = scan.SkipBlanks();
    if (!scan.Take('=')) {
      continue;  // an attribute without a value
    }
    scan.SkipBlanks();
    const std::optional<std::string_view> value = scan.TakeValue();
    if (!value) {
      return std::nullopt;
    }
    separated = false;
    if (EqualsIgnoringCase(name, kColorAttribute)) {
      if (const std::optional<Color> color = ParseHtmlColor(*value)) {
        tag.color = color;
      }
    }
  }
  tag.length = scan.Pos() - pos;
  return tag;
}

void AppendRun(std::vector<Run>& runs, std::string& text, Color color) {
  if (text.empty()) {
    return;
  }
  if (!runs.empty() && runs.back().color == color) {
    runs.back().text += text;
  } else {
    runs.push_back(Run{text, color});
  }
  text.clear();
}

}  // namespace

std::vector<Run> ParseMarkup(std::string_view markup) {
  std::vector<Run> runs;
  std::string text;
  Color color = kDefaultTextColor;
  size_t pos = 0;
  while (pos < markup.size()) {
    const char c = markup[pos];
    if (c == '<') {
      if (const std::optional<FontTag> tag = MatchFontTag(markup, pos)) {
        if (tag->color && *tag->color != color) {
          AppendRun(runs, text, color);
          color = *tag->color;
        }
        pos += tag->length;
        continue;
      }
    }
    if (c == '\r' && pos + 1 < markup.size() && markup[pos + 1] == '\n') {
      ++pos;  // CR LF is one break
      continue;
    }
    text.push_back(c == '\r' || c == '\n' || c == '\0' ? ' ' : c);
    ++pos;
  }
  AppendRun(runs, text, color);
  return runs;
}

std::string PlainText(const std::vector<Run>& runs) {
  std::string plain;
  for (const Run& run : runs) {
    plain += run.text;
  }
  return plain;
}

}  // namespace practicehost
