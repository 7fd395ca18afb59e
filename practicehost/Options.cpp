#include "practicehost/Options.h"

// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <charconv>
#include <limits>
#include <memory>

#include "practicehost/Text.h"
#include "winkit/Text.h"

namespace practicehost {
namespace {

std::optional<int> ParseNumber(const std::wstring& text) {
  const std::string digits = winkit::ToAnsi(text);
  int value = 0;
  const char* end = digits.data() + digits.size();
  const auto [ptr, ec] = std::from_chars(digits.data(), end, value);
  if (digits.empty() || ec != std::errc() || ptr != end) {
    return std::nullopt;
  }
  return value;
}

constexpr int kLongestCap = 1 << 30;
// The transcript holds at most 64 Mi characters.
constexpr int kLongestHistory = 48 * 1024 * 1024;

constexpr std::array<const char*, kTranscriptKinds.size()> kKindNames = {
    "rich-a", "rich-w", "rich50", "edit-a", "edit-w"};

struct LocalFreeDeleter {
  void operator()(LPWSTR* argv) const { LocalFree(argv); }
};

}  // namespace

const char* KindName(TranscriptKind kind) { return kKindNames.at(static_cast<size_t>(kind)); }

std::optional<TranscriptKind> KindNamed(std::string_view name) {
  for (const TranscriptKind kind : kTranscriptKinds) {
    if (name == KindName(kind)) {
      return kind;
    }
  }
  return std::nullopt;
}

ParsedOptions ParseOptions(const std::vector<std::wstring>& args) {
  ParsedOptions parsed;
  Options& options = parsed.options;
  std::string& error = parsed.error;
  std::optional<int> sayRoom;
  size_t i = 0;
  // The value after args[i], or nothing (and an error) if the option is last.
  auto value = [&](const char* option) -> const std::wstring* {
    if (i + 1 >= args.size()) {
      error = std::string(option) + " needs a value";
      return nullptr;
    }
    return &args[++i];
  };
  // A whole number from lowest to highest after args[i], or nothing (and an error).
  auto number = [&](const char* option, int lowest, int highest) -> std::optional<int> {
    const std::wstring* text = value(option);
    const std::optional<int> found = text ? ParseNumber(*text) : std::nullopt;
    if (!found || *found < lowest || *found > highest) {
      if (text) {
        error = std::string(option) + " needs a number from " + std::to_string(lowest) + " to " +
                std::to_string(highest);
      }
      return std::nullopt;
    }
    return found;
  };
  for (; i < args.size() && error.empty(); ++i) {
    const std::wstring& arg = args[i];
    if (arg == L"--screen-name") {
      if (const std::wstring* name = value("--screen-name")) {
        if (name->empty()) {
          error = "--screen-name must not be empty";
        }
        options.screenName = winkit::ToAnsi(*name);
      }
    } else if (arg == L"--log") {
      if (const std::wstring* path = value("--log")) {
        options.logPath = *path;
      }
    } else if (arg == L"--rooms") {
      options.rooms = number("--rooms", 1, kMaxRooms).value_or(options.rooms);
    } else if (arg == L"--decoy") {
      options.decoy = true;
    } else if (arg == L"--no-welcome") {
      options.welcome = false;
    } else if (arg == L"--welcome-title") {
      if (const std::wstring* title = value("--welcome-title")) {
        options.welcomeTitle = winkit::ToAnsi(*title);
      }
    } else if (arg == L"--no-toolbar") {
      options.toolbar = false;
    } else if (arg == L"--transcript") {
      if (const std::wstring* name = value("--transcript")) {
        if (const std::optional<TranscriptKind> kind = KindNamed(winkit::ToAnsi(*name))) {
          options.transcript = *kind;
        } else {
          error = "--transcript needs one of rich-a, rich-w, rich50, edit-a, edit-w";
        }
      }
    } else if (arg == L"--cap-lines") {
      options.capLines = number("--cap-lines", 1, kLongestCap).value_or(0);
    } else if (arg == L"--cap-chars") {
      options.capChars = number("--cap-chars", 1, kLongestCap).value_or(0);
    } else if (arg == L"--strict-reads") {
      options.strictReads = true;
    } else if (arg == L"--history-bytes") {
      options.historyBytes = number("--history-bytes", 1, kLongestHistory).value_or(0);
    } else if (arg == L"--huge-length") {
      options.hugeLength = number("--huge-length", 1, kLongestCap).value_or(0);
    } else if (arg == L"--growing-reads") {
      options.growingReads = true;
    } else if (arg == L"--hang") {
      options.hangMs = number("--hang", 1, kLongestHangMs);
    } else if (arg == L"--check-heap") {
      options.checkHeap = true;
    } else if (arg == L"--say") {
      if (i + 2 >= args.size()) {
        error = "--say needs a sender and a text";
      } else {
        SayCommand say{winkit::ToAnsi(args[i + 1]), winkit::ToAnsi(args[i + 2])};
        if (say.sender.empty() || say.sender.find('\t') != std::string::npos) {
          error = "--say needs a sender name without tabs";
        }
        options.say = std::move(say);
        i += 2;
      }
    } else if (arg == L"--room") {
      sayRoom = number("--room", 1, std::numeric_limits<int>::max());
    } else {
      error = "unknown argument: " + winkit::ToAnsi(arg);
    }
  }
  if (error.empty() && sayRoom) {
    if (options.say) {
      options.say->room = *sayRoom;
    } else {
      error = "--room goes with --say";
    }
  }
  return parsed;
}

std::vector<std::string> ToArguments(const Options& options) {
  std::vector<std::string> args = {"--screen-name", options.screenName, "--rooms",
                                   std::to_string(options.rooms)};
  auto add = [&args](bool present, std::initializer_list<std::string> more) {
    if (present) {
      args.insert(args.end(), more);
    }
  };
  add(!options.logPath.empty(), {"--log", winkit::ToAnsi(options.logPath)});
  add(options.decoy, {"--decoy"});
  add(!options.welcome, {"--no-welcome"});
  add(options.welcomeTitle.has_value(), {"--welcome-title", options.welcomeTitle.value_or("")});
  add(!options.toolbar, {"--no-toolbar"});
  add(options.transcript != TranscriptKind::kRichA, {"--transcript", KindName(options.transcript)});
  add(options.capLines > 0, {"--cap-lines", std::to_string(options.capLines)});
  add(options.capChars > 0, {"--cap-chars", std::to_string(options.capChars)});
  add(options.strictReads, {"--strict-reads"});
  add(options.historyBytes > 0, {"--history-bytes", std::to_string(options.historyBytes)});
  add(options.hugeLength > 0, {"--huge-length", std::to_string(options.hugeLength)});
  add(options.growingReads, {"--growing-reads"});
  if (options.say) {
    args.insert(args.end(), {"--say", options.say->sender, options.say->text, "--room",
                             std::to_string(options.say->room)});
  }
  add(options.hangMs.has_value(), {"--hang", std::to_string(options.hangMs.value_or(0))});
  add(options.checkHeap, {"--check-heap"});
  return args;
}

std::vector<std::wstring> CommandLineArguments() {
  int count = 0;
  const std::unique_ptr<LPWSTR, LocalFreeDeleter> argv(
      CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::wstring> args;
  if (!argv) {
    return args;
  }
  for (int i = 1; i < count; ++i) {
    args.emplace_back(argv.get()[i]);
  }
  return args;
}

}  // namespace practicehost
