#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "Canvas.h"

// The two picture formats the resource compiler takes: 24-bit bitmaps and 16-colour icons.
namespace art {

using Bytes = std::vector<std::uint8_t>;

inline constexpr int kIconColours = 16;
inline constexpr int kIconSize = 32;

// The standard 16-colour VGA set: what every display of the program's time shows without
// dithering, so the icons look the same everywhere.
std::array<Rgb8, kIconColours> IconPalette();
// Index of the nearest palette colour (squared distance; the lower index on a tie).
int NearestPaletteIndex(Rgb8 colour);

// A bottom-up BITMAPFILEHEADER + BITMAPINFOHEADER bitmap, rows padded to four bytes. Coverage is
// ignored: pictures are opaque.
Bytes EncodeBmp(const Canvas& canvas);
// An icon file with one 4-bit image: colours snapped to the palette, and pixels under half coverage
// transparent through the AND mask. Sizes 1 to 256.
Bytes EncodeIco(const Canvas& canvas);

void WriteFile(const std::filesystem::path& path, const Bytes& bytes);

}  // namespace art
