// The chat scanner and its transcript tracker against a client driven by the fuzzer's bytes:
// every line said after the start is reported once, in order, and no old line ever.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ScannerModel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string fault = scanner_model::Play(data, size);
  if (!fault.empty()) {
    std::fputs(fault.c_str(), stderr);
    std::abort();
  }
  return 0;
}
