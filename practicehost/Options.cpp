#include "practicehost/Options.h"

// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <charconv>
#include <memory>

#include "practicehost/Text.h"

namespace practicehost {
namespace {

std::optional<int> ParseNumber(const std::wstring& text) {
  const std::string digits = WideToAnsi(text);
  int value = 0;
  const char* end = digits.data() + digits.size();
  const auto [ptr, ec] = std::from_chars(digits.data(), end, value);
  if (digits.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

struct LocalFreeDeleter {
  void operator()(LPWSTR* argv) const { LocalFree(argv); }
};

}  // namespace

ParsedOptions ParseOptions(const std::vector<std::wstring>& args) {
  ParsedOptions parsed;
  Options& options = parsed.options;
  std::optional<int> sayRoom;
  size_t i = 0;
  // The value after args[i], or nothing (and an error) if the option is last.
  auto value = [&](const char* option) -> const std::wstring* {
    if (i + 1 >= args.size()) {
      parsed.error = std::string(option) + " needs a value";
      return nullptr;
    }
    return &args[++i];
  };
  for (; i < args.size() && parsed.error.empty(); ++i) {
    const std::wstring& arg = args[i];
    if (arg == L"--screen-name") {
      if (const std::wstring* name = value("--screen-name")) {
        if (name->empty()) parsed.error = "--screen-name must not be empty";
        options.screenName = WideToAnsi(*name);
      }
    } else if (arg == L"--log") {
      if (const std::wstring* path = value("--log")) options.logPath = *path;
    } else if (arg == L"--rooms") {
      if (const std::wstring* count = value("--rooms")) {
        const std::optional<int> rooms = ParseNumber(*count);
        if (!rooms || *rooms < 1 || *rooms > kMaxRooms) {
          parsed.error = "--rooms must be 1 or 2";
        } else {
          options.rooms = *rooms;
        }
      }
    } else if (arg == L"--decoy") {
      options.decoy = true;
    } else if (arg == L"--no-welcome") {
      options.welcome = false;
    } else if (arg == L"--welcome-title") {
      if (const std::wstring* title = value("--welcome-title")) {
        options.welcomeTitle = WideToAnsi(*title);
      }
    } else if (arg == L"--no-toolbar") {
      options.toolbar = false;
    } else if (arg == L"--say") {
      if (i + 2 >= args.size()) {
        parsed.error = "--say needs a sender and a text";
      } else {
        SayCommand say{WideToAnsi(args[i + 1]), WideToAnsi(args[i + 2])};
        if (say.sender.empty() || say.sender.find('\t') != std::string::npos) {
          parsed.error = "--say needs a sender name without tabs";
        }
        options.say = std::move(say);
        i += 2;
      }
    } else if (arg == L"--room") {
      if (const std::wstring* number = value("--room")) {
        sayRoom = ParseNumber(*number);
        if (!sayRoom || *sayRoom < 1) parsed.error = "--room must be a room number from 1";
      }
    } else {
      parsed.error = "unknown argument: " + WideToAnsi(arg);
    }
  }
  if (parsed.error.empty() && sayRoom) {
    if (options.say) {
      options.say->room = *sayRoom;
    } else {
      parsed.error = "--room goes with --say";
    }
  }
  return parsed;
}

std::vector<std::wstring> CommandLineArguments() {
  int count = 0;
  const std::unique_ptr<LPWSTR, LocalFreeDeleter> argv(
      CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::wstring> args;
  if (!argv) return args;
  for (int i = 1; i < count; ++i) args.emplace_back(argv.get()[i]);
  return args;
}

}  // namespace practicehost
