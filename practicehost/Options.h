#pragma once
// The practice host's command line.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "practicehost/Protocol.h"

namespace practicehost {

// --say SENDER TEXT [--room N]: hand a line to the running host and exit.
struct SayCommand {
  std::string sender;
  std::string text;
  int room = 1;
  bool operator==(const SayCommand&) const = default;
};

// The system control a room's transcript and input box are made of; the class name stays RICHCNTL.
enum class TranscriptKind {
  kRichA,   // RichEdit20A from riched20.dll
  kRichW,   // RichEdit20W
  kRich50,  // RICHEDIT50W from msftedit.dll, where the system has it
  kEditA,   // the system EDIT, ANSI
  kEditW,   // the system EDIT, Unicode
};
inline constexpr std::array kTranscriptKinds = {TranscriptKind::kRichA, TranscriptKind::kRichW,
                                                TranscriptKind::kRich50, TranscriptKind::kEditA,
                                                TranscriptKind::kEditW};
// The kind's name on the command line.
const char* KindName(TranscriptKind kind);
std::optional<TranscriptKind> KindNamed(std::string_view name);
inline bool IsEditKind(TranscriptKind kind) {
  return kind == TranscriptKind::kEditA || kind == TranscriptKind::kEditW;
}
inline bool IsUnicodeKind(TranscriptKind kind) {
  return kind != TranscriptKind::kRichA && kind != TranscriptKind::kEditA;
}

// Every field has its default, so that designated initializers may name only what differs.
struct Options {
  std::string screenName = kDefaultScreenName;
  std::wstring logPath{};  // empty: no log
  int rooms = 1;
  bool decoy = false;
  bool welcome = true;
  std::optional<std::string> welcomeTitle{};
  bool toolbar = true;
  TranscriptKind transcript = TranscriptKind::kRichA;
  // After each line said, the transcript keeps at most this many lines / characters (a line break
  // counting one), cut from the top as a real client trims its history; 0: no cap.
  int capLines = 0;
  int capChars = 0;
  // WM_GETTEXT into a buffer too small for the whole transcript copies nothing and returns 0.
  bool strictReads = false;
  // Room 1 starts with about this many bytes of old lines, set in one go; 0: none.
  int historyBytes = 0;
  // Every this many-th WM_GETTEXTLENGTH of a transcript answers 0x40000000; 0: never.
  int hugeLength = 0;
  // Between a transcript's WM_GETTEXTLENGTH and its next WM_GETTEXT, a regular says a long line
  // of double-byte chatter, so that the copy may not fit the buffer; such a copy is cut before
  // the first character that does not fit whole.
  bool growingReads = false;
  std::optional<SayCommand> say{};
  // --hang MS: make the running host's windows stop answering for MS milliseconds, and exit.
  std::optional<int> hangMs{};
  // --check-heap: ask the running host whether its heaps are sound, and exit.
  bool checkHeap = false;
  bool operator==(const Options&) const = default;
};

struct ParsedOptions {
  Options options;
  std::string error;  // empty when the command line was understood
};

// args: the arguments after the program name. Texts are converted to the ANSI code page, as the
// chat client's windows hold them; the log path stays wide.
ParsedOptions ParseOptions(const std::vector<std::wstring>& args);

// The arguments (ANSI) that ParseOptions reads back as options.
std::vector<std::string> ToArguments(const Options& options);

// This process's arguments after the program name, split the way CommandLineToArgvW does.
std::vector<std::wstring> CommandLineArguments();

inline constexpr char kUsage[] =
    "PracticeHost.exe [--screen-name NAME] [--log PATH] [--rooms 1|2] [--decoy] [--no-welcome]\n"
    "                 [--welcome-title TITLE] [--no-toolbar]\n"
    "                 [--transcript rich-a|rich-w|rich50|edit-a|edit-w] [--cap-lines N]\n"
    "                 [--cap-chars N] [--strict-reads] [--history-bytes N] [--huge-length K]\n"
    "                 [--growing-reads]\n"
    "PracticeHost.exe --say SENDER TEXT [--room N]\n"
    "PracticeHost.exe --hang MS\n"
    "PracticeHost.exe --check-heap";

}  // namespace practicehost
