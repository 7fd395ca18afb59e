#pragma once
// fade/ turns a line into per-character colour markup, and formats colour codes.

#include <cstdint>
#include <string>
#include <string_view>

namespace fade {

// A colour value as the platform stores it: red + 256 * green + 65536 * blue.
using Colour = std::uint32_t;

// One "<Font Color=#......>" element before every UTF-16 unit of the text, the colour running
// from blue through green and back to blue. Nothing is escaped and no tag is closed.
std::u16string FadeText(std::u16string_view text);

// Six upper-case hex digits for values below 0x1000000; longer forms come back unpadded.
std::u16string ColorToHex(std::int32_t value);

}  // namespace fade
