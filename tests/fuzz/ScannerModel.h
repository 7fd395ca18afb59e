#pragma once
// The chat scanner and its transcript tracker together, against an in-memory client driven by a
// string of bytes: appends (bursts, identical lines, a line said twice in a row), trims by lines
// and by characters at any cut, clears, reads that fail, another room. Shared by the fuzz target
// and the unit test, which plays many seeded runs.

#include <cstddef>
#include <cstdint>
#include <string>

namespace scanner_model {

// Plays the bytes as operations; empty when every line said after the start was reported once,
// in order, and no old line ever; else what went wrong.
std::string Play(const std::uint8_t* data, std::size_t size);

}  // namespace scanner_model
