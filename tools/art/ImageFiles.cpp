#include "ImageFiles.h"

#include <fstream>
#include <stdexcept>
#include <string>

namespace art {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint16_t kBitmapMagic = 0x4D42;  // "BM"
constexpr std::uint16_t kTrueColourBits = 24;
constexpr std::uint16_t kIconBits = 4;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::int32_t kPixelsPerMetre = 3780;  // 96 DPI
constexpr std::uint16_t kIconType = 1;
constexpr std::uint32_t kIconDirSize = 6;
constexpr std::uint32_t kIconEntrySize = 16;
constexpr std::uint32_t kQuadSize = 4;
constexpr int kLargestIcon = 256;
constexpr double kOpaqueFrom = 0.5;

class Writer {
 public:
  explicit Writer(Bytes& out) : out_(out) {}
  void U8(std::uint32_t v) { out_.push_back(static_cast<std::uint8_t>(v & 0xFFU)); }
  void U16(std::uint32_t v) {
    U8(v);
    U8(v >> 8U);
  }
  void U32(std::uint32_t v) {
    U16(v & 0xFFFFU);
    U16(v >> 16U);
  }
  void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
  void Zeros(std::size_t n) { out_.insert(out_.end(), n, 0); }

 private:
  Bytes& out_;
};

// Row length in bytes for the given bits per pixel, padded to a 32-bit boundary.
std::uint32_t Stride(int width, int bits) {
  constexpr std::uint32_t kBitsPerWord = 32;
  return (static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bits) + kBitsPerWord - 1) /
         kBitsPerWord * kQuadSize;
}

void InfoHeader(Writer& w, int width, int height, std::uint16_t bits, std::uint32_t imageSize,
                std::uint32_t coloursUsed, std::int32_t pixelsPerMetre) {
  w.U32(kInfoHeaderSize);
  w.I32(width);
  w.I32(height);
  w.U16(1);  // planes
  w.U16(bits);
  w.U32(kBiRgb);
  w.U32(imageSize);
  w.I32(pixelsPerMetre);
  w.I32(pixelsPerMetre);
  w.U32(coloursUsed);
  w.U32(0);  // all colours important
}

}  // namespace

std::array<Rgb8, kIconColours> IconPalette() {
  return {{{0, 0, 0},
           {128, 0, 0},
           {0, 128, 0},
           {128, 128, 0},
           {0, 0, 128},
           {128, 0, 128},
           {0, 128, 128},
           {192, 192, 192},
           {128, 128, 128},
           {255, 0, 0},
           {0, 255, 0},
           {255, 255, 0},
           {0, 0, 255},
           {255, 0, 255},
           {0, 255, 255},
           {255, 255, 255}}};
}

int NearestPaletteIndex(Rgb8 colour) {
  const auto palette = IconPalette();
  int best = 0;
  int bestDistance = -1;
  for (int i = 0; i < kIconColours; ++i) {
    const Rgb8& p = palette[static_cast<std::size_t>(i)];
    const int dr = colour.r - p.r;
    const int dg = colour.g - p.g;
    const int db = colour.b - p.b;
    const int distance = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

Bytes EncodeBmp(const Canvas& canvas) {
  const int width = canvas.width();
  const int height = canvas.height();
  const std::uint32_t stride = Stride(width, kTrueColourBits);
  const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(height);
  const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
  Bytes out;
  out.reserve(offset + imageSize);
  Writer w(out);
  w.U16(kBitmapMagic);
  w.U32(offset + imageSize);
  w.U32(0);  // reserved
  w.U32(offset);
  InfoHeader(w, width, height, kTrueColourBits, imageSize, 0, kPixelsPerMetre);
  const std::uint32_t padding = stride - static_cast<std::uint32_t>(width) * 3U;
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const Rgb8 p = canvas.Pixel(x, y);
      w.U8(p.b);
      w.U8(p.g);
      w.U8(p.r);
    }
    w.Zeros(padding);
  }
  return out;
}

Bytes EncodeIco(const Canvas& canvas) {
  const int width = canvas.width();
  const int height = canvas.height();
  if (width > kLargestIcon || height > kLargestIcon) {
    throw std::invalid_argument("icons are at most 256 pixels wide and high");
  }
  const std::uint32_t colourStride = Stride(width, kIconBits);
  const std::uint32_t maskStride = Stride(width, 1);
  const auto rows = static_cast<std::uint32_t>(height);
  const std::uint32_t imageSize = (colourStride + maskStride) * rows;
  const std::uint32_t resourceSize = kInfoHeaderSize + kIconColours * kQuadSize + imageSize;
  const std::uint32_t offset = kIconDirSize + kIconEntrySize;
  constexpr std::uint32_t kSizeByte = 0xFFU;  // 256 is written as 0

  Bytes out;
  out.reserve(offset + resourceSize);
  Writer w(out);
  w.U16(0);  // reserved
  w.U16(kIconType);
  w.U16(1);  // one image
  w.U8(static_cast<std::uint32_t>(width) & kSizeByte);
  w.U8(static_cast<std::uint32_t>(height) & kSizeByte);
  w.U8(kIconColours);
  w.U8(0);   // reserved
  w.U16(1);  // planes
  w.U16(kIconBits);
  w.U32(resourceSize);
  w.U32(offset);

  // The height counts the colour image and the mask stacked.
  InfoHeader(w, width, 2 * height, kIconBits, imageSize, kIconColours, 0);
  for (const Rgb8& p : IconPalette()) {
    w.U8(p.b);
    w.U8(p.g);
    w.U8(p.r);
    w.U8(0);
  }
  const auto opaque = [&](int x, int y) { return canvas.AlphaAt(x, y) >= kOpaqueFrom; };
  for (int y = height - 1; y >= 0; --y) {
    Bytes row(colourStride, 0);
    for (int x = 0; x < width; ++x) {
      // Transparent pixels are black in the colour image so the AND/XOR pair leaves the screen.
      const int index = opaque(x, y) ? NearestPaletteIndex(canvas.Pixel(x, y)) : 0;
      const auto shift = static_cast<unsigned>(x % 2 == 0 ? 4 : 0);
      row[static_cast<std::size_t>(x / 2)] |= static_cast<std::uint8_t>(index << shift);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  constexpr unsigned kTopBit = 7;
  for (int y = height - 1; y >= 0; --y) {
    Bytes row(maskStride, 0);
    for (int x = 0; x < width; ++x) {
      if (!opaque(x, y)) {
        const auto bit = kTopBit - static_cast<unsigned>(x % 8);
        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(1U << bit);
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) {
    throw std::runtime_error("could not write " + path.string());
  }
}

}  // namespace art
