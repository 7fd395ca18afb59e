#pragma once
// The practice host's command line.

#include <optional>
#include <string>
#include <vector>

#include "practicehost/Protocol.h"

namespace practicehost {

// --say SENDER TEXT [--room N]: hand a line to the running host and exit.
struct SayCommand {
  std::string sender;
  std::string text;
  int room = 1;
};

struct Options {
  std::string screenName = kDefaultScreenName;
  std::wstring logPath;  // empty: no log
  int rooms = 1;
  bool decoy = false;
  bool welcome = true;
  std::optional<std::string> welcomeTitle;
  bool toolbar = true;
  std::optional<SayCommand> say;
};

struct ParsedOptions {
  Options options;
  std::string error;  // empty when the command line was understood
};

// args: the arguments after the program name. Texts are converted to the ANSI code page, as the
// chat client's windows hold them; the log path stays wide.
ParsedOptions ParseOptions(const std::vector<std::wstring>& args);

// This process's arguments after the program name, split the way CommandLineToArgvW does.
std::vector<std::wstring> CommandLineArguments();

inline constexpr char kUsage[] =
    "PracticeHost.exe [--screen-name NAME] [--log PATH] [--rooms 1|2] [--decoy] [--no-welcome]\n"
    "                 [--welcome-title TITLE] [--no-toolbar]\n"
    "PracticeHost.exe --say SENDER TEXT [--room N]";

}  // namespace practicehost
