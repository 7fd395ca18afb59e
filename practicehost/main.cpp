// PracticeHost.exe: windows shaped like the chat client's, for trying Zibbet without the client.

#include <windows.h>

#include <string>

#include "practicehost/Host.h"
#include "practicehost/Options.h"
#include "practicehost/Protocol.h"

namespace {

using practicehost::SayCommand;

enum ExitCode {
  kExitOk = 0,
  kExitNoFrame = 1,
  kExitUsage = 2,
  kExitRefused = 3,
  kExitFailed = 4,
  kExitHeapCorrupt = practicehost::kHeapCorruptExitCode,
};
constexpr UINT kAnswerTimeoutMs = 10000;

// A GUI program has no console of its own: stderr when started from one, a message box otherwise.
void Report(const std::string& message) {
  const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  if (error && error != INVALID_HANDLE_VALUE && GetFileType(error) != FILE_TYPE_UNKNOWN) {
    const std::string line = message + "\n";
    DWORD written = 0;
    WriteFile(error, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    return;
  }
  MessageBoxA(nullptr, message.c_str(), "Practice Host", MB_OK | MB_ICONWARNING);
}

HWND RunningFrame() {
  const HWND frame = FindWindowA(practicehost::kFrameClass, nullptr);
  if (!frame) {
    Report("No practice host is running.");
  }
  return frame;
}

// Hands the running host a WM_COPYDATA; `refused` says what its FALSE answer means.
int SendCopyData(COPYDATASTRUCT data, const char* refused, int refusedCode) {
  const HWND frame = RunningFrame();
  if (!frame) {
    return kExitNoFrame;
  }
  DWORD_PTR taken = FALSE;
  if (!SendMessageTimeoutA(frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                           kAnswerTimeoutMs, &taken)) {
    Report("The practice host did not answer.");
    return kExitNoFrame;
  }
  if (!taken) {
    Report(refused);
    return refusedCode;
  }
  return kExitOk;
}

int SendSay(const SayCommand& say) {
  std::string bytes = practicehost::EncodeCopyData(say.sender, say.text);
  return SendCopyData(
      {static_cast<ULONG_PTR>(say.room), static_cast<DWORD>(bytes.size()), bytes.data()},
      "The practice host did not say the line (no such room, or no text).", kExitRefused);
}

int SendCheckHeap() {
  return SendCopyData({practicehost::kCheckHeapData, 0, nullptr},
                      "The practice host's heap is corrupt.", kExitHeapCorrupt);
}

// Posted, not sent: the host's thread is about to stop answering, and this command must not wait
// for it.
int SendHang(int ms) {
  const HWND frame = RunningFrame();
  if (!frame) {
    return kExitNoFrame;
  }
  if (!PostMessageA(frame, practicehost::kHangMessage, static_cast<WPARAM>(ms), 0)) {
    Report("The practice host did not take the message.");
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const practicehost::ParsedOptions parsed =
      practicehost::ParseOptions(practicehost::CommandLineArguments());
  if (!parsed.error.empty()) {
    Report(parsed.error + "\n\nUsage:\n" + practicehost::kUsage);
    return kExitUsage;
  }
  if (parsed.options.say) {
    return SendSay(*parsed.options.say);
  }
  if (parsed.options.hangMs) {
    return SendHang(*parsed.options.hangMs);
  }
  if (parsed.options.checkHeap) {
    return SendCheckHeap();
  }
  practicehost::Host host(instance, parsed.options);
  std::string error;
  if (!host.Start(error)) {
    Report("The practice host could not start: " + error);
    return kExitFailed;
  }
  return host.Run();
}
