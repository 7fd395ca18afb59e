// The core's costs: the wait, the fade, saying a line, the chat scanner, reading a transcript.
#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "Clocks.h"
#include "Scanning.h"
#include "Table.h"
#include "console/MainWindow.h"
#include "fade/Fade.h"
#include "hostwin/ChatRoom.h"
#include "hostwin/ChatScanner.h"
#include "practicehost/testing/HostProcess.h"
#include "win32/User32Windows.h"
#include "win32/formkit/Win32Platform.h"
#include "winkit/Handles.h"
#include "winkit/MessagePump.h"

namespace bench {
namespace {

using practicehost::HostProcess;

// A wait that polls the queue without sleeping, for comparison.
void SpinningWait(double seconds) {
  const auto start = Clock::now();
  while (SecondsSince(start) < seconds) {
    winkit::DrainMessages();
  }
}

void Waits(Table& table) {
  const double waitShare = ProcessorShare([] { formkit_win32::WaitSeconds(1); });
  const double spinShare = ProcessorShare([] { SpinningWait(1.0); });
  table.Row("WaitSeconds(1): processor / wall time", Format("%.2f %%", 100 * waitShare),
            "at most 1 %");
  table.Row("spinning wait of 1 s: processor / wall time", Format("%.2f %%", 100 * spinShare),
            "(comparison, ~100 %)");
}

void Fade(Table& table) {
  std::size_t total = 0;
  int calls = 0;
  const auto start = Clock::now();
  while (SecondsSince(start) < 0.5) {
    for (int i = 0; i < 1000; ++i) {
      total += fade::FadeText(console::kNowIdleBanner).size();  // 40 characters
    }
    calls += 1000;
  }
  table.Row("FadeText, 40-character banner: calls/s", Format("%.0f", calls / SecondsSince(start)),
            total > 0 ? "(throughput)" : "");
}

void SendToChat(Table& table) {
  const HostProcess host;
  win32::User32Windows windows;
  const std::u16string markup = fade::FadeText(console::kNowIdleBanner);
  std::vector<double> micros;
  constexpr int kSends = 50;
  for (int i = 0; i < kSends; ++i) {
    const auto start = Clock::now();
    hostwin::SendToChat(windows, markup);
    micros.push_back(1e6 * SecondsSince(start));
  }
  table.Row("SendToChat into the practice host: median", Format("%.0f us", Median(micros)),
            "(latency)");
}

// The scanner's processor share (this thread's) while the queue is pumped for `seconds`.
double ScannerShare(double seconds) {
  const double cpu = ThreadSeconds();
  const auto start = Clock::now();
  winkit::PumpFor(static_cast<DWORD>(1e3 * seconds));
  return (ThreadSeconds() - cpu) / SecondsSince(start);
}

void Scanner(Table& table) {
  // The chat scanner against the practice host's transcript.
  const HostProcess host;
  ScannerRun run(host);
  constexpr int kLines = 200;
  const std::vector<double> latencies =
      run.Latencies(kLines, [](int i) { return "line " + std::to_string(i); });
  table.Row("scanner latency, line to ChatMsg: median",
            Format("%.1f ms", Percentile(latencies, 0.5)), "poll: 100 ms");
  table.Row("scanner latency, line to ChatMsg: 95th pct",
            Format("%.1f ms", Percentile(latencies, 0.95)),
            latencies.size() == kLines ? "(all 200 heard)" : "LINES LOST");

  constexpr double kSpan = 5;
  table.Row("scanner processor time, quiet room", Format("%.2f %%", 100 * ScannerShare(kSpan)),
            "(share of one core)");

  // A line every 50 ms at most: each Say waits for the host, which takes its time.
  std::atomic<bool> talking{true};
  std::atomic<int> said{0};
  const int before = run.Heard();
  std::thread talker([&] {
    while (talking) {
      host.Say("Chatty", "a line every 50 ms");
      ++said;
      Sleep(50);
    }
  });
  const double busy = ScannerShare(kSpan);
  talking = false;
  talker.join();
  constexpr DWORD kSettleMs = 300;
  winkit::PumpFor(kSettleMs);
  table.Row("scanner processor time, a line every 50 ms", Format("%.2f %%", 100 * busy),
            Format("(%d of %d lines heard)", run.Heard() - before, said.load()));
}

// The text EM_STREAMIN takes in, piece by piece.
struct StreamSource {
  std::string_view text;
  std::size_t done = 0;
};

DWORD CALLBACK FeedStream(DWORD_PTR cookie, LPBYTE buffer, LONG capacity, LONG* given) {
  auto& source = *reinterpret_cast<StreamSource*>(cookie);
  const std::size_t count =
      std::min(static_cast<std::size_t>(capacity), source.text.size() - source.done);
  std::copy_n(source.text.data() + source.done, count, buffer);
  source.done += count;
  *given = static_cast<LONG>(count);
  return 0;
}

// Fills a rich edit with plain text. Streamed: Wine's rich edit takes over a minute to take a
// megabyte as window text, but a second or two as a stream.
void StreamInto(HWND edit, std::string_view text) {
  StreamSource source{text};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, FeedStream};
  SendMessageA(edit, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
}

void TranscriptRead(Table& table) {
  // One read of a one-megabyte transcript: a rich edit of that size, read as the scanner does.
  const winkit::UniqueModule richEdit(LoadLibraryW(L"riched20.dll"));
  const winkit::UniqueWindow edit(CreateWindowExA(0, "RichEdit20A", "", ES_MULTILINE, 0, 0, 400,
                                                  300, nullptr, nullptr, GetModuleHandleA(nullptr),
                                                  nullptr));
  if (!edit) {
    throw std::runtime_error("no rich edit");
  }
  SendMessageA(edit.Get(), EM_EXLIMITTEXT, 0, 4 << 20);
  std::string text;
  for (int i = 0; text.size() < (1U << 20); ++i) {
    text += "Member" + std::to_string(i % 40) + ":\tsomething said in the room, line " +
            std::to_string(i) + "\r\n";
  }
  StreamInto(edit.Get(), text);
  win32::User32Windows windows;
  const auto handle = win32::ToHandle(edit.Get());
  hostwin::TranscriptTracker tracker;
  const auto start = Clock::now();
  constexpr int kReads = 5;
  std::size_t lines = 0;
  for (int i = 0; i < kReads; ++i) {
    tracker.Reset(u"");
    lines += tracker.Update(windows.Text(handle).value_or(u"")).size();
  }
  table.Row("read + split of a 1 MB transcript",
            Format("%.1f ms", 1e3 * SecondsSince(start) / kReads),
            Format("(%zu lines)", lines / kReads));
}

}  // namespace

void CoreRows(Table& table) {
  table.Section("waits", Waits);
  table.Section("FadeText", Fade);
  table.Section("SendToChat", SendToChat);
  table.Section("chat scanner", Scanner);
  table.Section("1 MB transcript", TranscriptRead);
}

}  // namespace bench
