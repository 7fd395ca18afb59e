#pragma once
// What the program has to tell whoever watches its debug output.

namespace winkit {

// Names the exception being handled, and where it was stopped, in the debug output. Call it only
// inside a catch block; it never throws.
void ReportCaught(const char* where) noexcept;

// One line of the program's own in the debug output.
void Report(const char* line) noexcept;

}  // namespace winkit
