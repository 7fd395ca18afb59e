#pragma once
// Transcripts of the rich edit kinds: the system's rich edit in the transcript's face from its
// creation on, with no length limit worth the name, each line streamed in as coloured runs.

#include <windows.h>

#include <string>

#include "practicehost/Transcript.h"

namespace practicehost {

inline constexpr char kRichTextFace[] = "Arial";
inline constexpr int kRichTextPoints = 10;
// The code page that makes EM_GETTEXTEX and EM_GETTEXTLENGTHEX count in UTF-16.
inline constexpr UINT kUtf16CodePage = 1200;

// A new RICHCNTL of a rich edit kind, transcript or input box.
void SetUpRichEdit(HWND rich);

// A rich edit's text in UTF-16, the unit its character positions count; paragraphs end in "\r"
// or, with crlf, in "\r\n" as WM_GETTEXT gives them. (Its WM_GETTEXTLENGTH counts characters,
// fewer than the bytes of double-byte text, so an ANSI read sized by it comes back short.)
std::wstring GetRichText(HWND rich, bool crlf = false);

class RichTranscript final : public Transcript {
 public:
  DWORD Style() const override;
  void AppendLine(std::string_view sender, const std::vector<Run>& runs) override;
  void AppendText(std::string_view text) override;
  std::wstring Text() const override { return GetRichText(Window(), true); }
  size_t LengthBound() const override;
  void CutTop(size_t count) override;

 private:
  void Prepare() override;
  void MoveCaretToEnd() override;

  bool wrapping_ = true;
};

}  // namespace practicehost
