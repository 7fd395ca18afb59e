#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "Artwork.h"
#include "Canvas.h"
#include "ImageFiles.h"
#include "Lettering.h"
#include "Numbers.h"

namespace {

using art::Bytes;
using art::Canvas;
using art::FromBytes;
using art::Rgb8;

constexpr std::size_t kFileHeader = 14;
constexpr std::size_t kInfoHeader = 40;
constexpr std::size_t kBmpPixels = kFileHeader + kInfoHeader;
constexpr std::size_t kIcoDirectory = 6;
constexpr std::size_t kIcoEntry = 16;
constexpr std::size_t kIcoImage = kIcoDirectory + kIcoEntry;
constexpr std::size_t kIcoPalette = kIcoImage + kInfoHeader;
constexpr std::size_t kIcoColourRows = kIcoPalette + 16 * 4;
constexpr std::size_t kIcoColourStride = 16;  // 32 pixels at 4 bits
constexpr std::size_t kIcoMaskRows = kIcoColourRows + 32 * kIcoColourStride;
constexpr std::size_t kIcoMaskStride = 4;  // 32 pixels at 1 bit
constexpr std::size_t kIcoFileSize = kIcoMaskRows + 32 * kIcoMaskStride;

std::uint32_t U16(const Bytes& b, std::size_t at) {
  return static_cast<std::uint32_t>(b.at(at)) | static_cast<std::uint32_t>(b.at(at + 1)) << 8U;
}
std::uint32_t U32(const Bytes& b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16U; }
std::int32_t I32(const Bytes& b, std::size_t at) { return static_cast<std::int32_t>(U32(b, at)); }

Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    throw std::runtime_error("cannot read " + path.string());
  }
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class TempDir {
 public:
  TempDir() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("zibbet-art-" + std::to_string(random()) + "-" + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// --- Bitmaps ---------------------------------------------------------------------------------

struct BmpSizeCase {
  int width;
  int height;
  std::uint32_t stride;
};

TEST(EncodeBmp, HeadersDescribeABottomUp24BitImageWithPaddedRows) {
  const std::vector<BmpSizeCase> cases = {
      {1, 1, 4}, {3, 2, 12}, {4, 1, 12}, {5, 3, 16}, {111, 113, 336}, {267, 403, 804},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    const Bytes bmp = art::EncodeBmp(Canvas(c.width, c.height));
    const std::uint32_t imageSize = c.stride * static_cast<std::uint32_t>(c.height);
    ASSERT_EQ(bmp.size(), kBmpPixels + imageSize);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(U32(bmp, 2), bmp.size());
    EXPECT_EQ(U32(bmp, 6), 0U);
    EXPECT_EQ(U32(bmp, 10), kBmpPixels);
    EXPECT_EQ(U32(bmp, 14), kInfoHeader);
    EXPECT_EQ(I32(bmp, 18), c.width);
    EXPECT_EQ(I32(bmp, 22), c.height);  // positive: bottom-up
    EXPECT_EQ(U16(bmp, 26), 1U);
    EXPECT_EQ(U16(bmp, 28), 24U);
    EXPECT_EQ(U32(bmp, 30), 0U);  // BI_RGB
    EXPECT_EQ(U32(bmp, 34), imageSize);
    EXPECT_EQ(U32(bmp, 46), 0U);  // no palette
  }
}

TEST(EncodeBmp, StoresRowsBottomUpInBlueGreenRedOrderWithZeroPadding) {
  constexpr int kWidth = 3;
  constexpr int kHeight = 2;
  constexpr std::size_t kStride = 12;  // 9 bytes of pixels and 3 of padding
  const Rgb8 colours[kHeight][kWidth] = {{{10, 20, 30}, {40, 50, 60}, {70, 80, 90}},
                                         {{255, 0, 1}, {2, 254, 3}, {128, 129, 127}}};
  Canvas canvas(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const Rgb8 c = colours[y][x];
      canvas.Set(x, y, FromBytes(c.r, c.g, c.b));
    }
  }
  const Bytes bmp = art::EncodeBmp(canvas);
  for (int y = 0; y < kHeight; ++y) {
    const std::size_t row = kBmpPixels + static_cast<std::size_t>(kHeight - 1 - y) * kStride;
    for (int x = 0; x < kWidth; ++x) {
      SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
      const std::size_t at = row + static_cast<std::size_t>(x) * 3;
      const Rgb8 c = colours[y][x];
      EXPECT_EQ(bmp[at], c.b);
      EXPECT_EQ(bmp[at + 1], c.g);
      EXPECT_EQ(bmp[at + 2], c.r);
    }
    for (std::size_t pad = 9; pad < kStride; ++pad) {
      EXPECT_EQ(bmp[row + pad], 0) << "row " << y << " padding byte " << pad;
    }
  }
}

// --- Icons -----------------------------------------------------------------------------------

TEST(IconPalette, EveryColourMapsToItself) {
  const auto palette = art::IconPalette();
  for (int i = 0; i < art::kIconColours; ++i) {
    EXPECT_EQ(art::NearestPaletteIndex(palette[static_cast<std::size_t>(i)]), i) << i;
  }
}

TEST(IconPalette, HasSixteenDistinctColoursFromBlackToWhite) {
  const auto palette = art::IconPalette();
  EXPECT_EQ(palette.front(), (Rgb8{0, 0, 0}));
  EXPECT_EQ(palette.back(), (Rgb8{255, 255, 255}));
  for (std::size_t i = 0; i < palette.size(); ++i) {
    for (std::size_t j = i + 1; j < palette.size(); ++j) {
      EXPECT_FALSE(palette[i] == palette[j]) << i << " and " << j;
    }
  }
}

struct NearestCase {
  Rgb8 colour;
  Rgb8 expected;
};

TEST(IconPalette, OtherColoursGoToTheNearestEntry) {
  const std::vector<NearestCase> cases = {
      {{250, 8, 4}, {255, 0, 0}},         {{20, 20, 20}, {0, 0, 0}},
      {{150, 150, 150}, {128, 128, 128}}, {{180, 180, 200}, {192, 192, 192}},
      {{10, 110, 140}, {0, 128, 128}},    {{30, 230, 40}, {0, 255, 0}},
      {{240, 240, 250}, {255, 255, 255}}, {{0, 0, 90}, {0, 0, 128}},
  };
  const auto palette = art::IconPalette();
  for (const auto& c : cases) {
    const int index = art::NearestPaletteIndex(c.colour);
    ASSERT_GE(index, 0);
    ASSERT_LT(index, art::kIconColours);
    EXPECT_EQ(palette[static_cast<std::size_t>(index)], c.expected)
        << int{c.colour.r} << "," << int{c.colour.g} << "," << int{c.colour.b};
  }
}

int IcoIndex(const Bytes& ico, int x, int y) {
  const std::size_t row = kIcoColourRows + static_cast<std::size_t>(31 - y) * kIcoColourStride;
  const std::uint8_t pair = ico.at(row + static_cast<std::size_t>(x / 2));
  return x % 2 == 0 ? pair >> 4U : pair & 0xFU;
}

bool IcoMasked(const Bytes& ico, int x, int y) {
  const std::size_t row = kIcoMaskRows + static_cast<std::size_t>(31 - y) * kIcoMaskStride;
  const std::uint8_t bits = ico.at(row + static_cast<std::size_t>(x / 8));
  return ((bits >> (7U - static_cast<unsigned>(x % 8))) & 1U) != 0;
}

// Opaque pixels in every palette colour, some half-covered ones either side of the cut, and
// transparent ones in between.
Canvas IconPattern() {
  Canvas canvas(art::kIconSize, art::kIconSize);
  const auto palette = art::IconPalette();
  for (int y = 0; y < art::kIconSize; ++y) {
    for (int x = 0; x < art::kIconSize; ++x) {
      const Rgb8 c = palette[static_cast<std::size_t>((x + 3 * y) % art::kIconColours)];
      const int kind = (x * 7 + y * 5) % 4;
      const double alpha = kind == 0 ? 0.0 : (kind == 1 ? 0.49 : (kind == 2 ? 0.5 : 1.0));
      canvas.Set(x, y, FromBytes(c.r, c.g, c.b), alpha);
    }
  }
  return canvas;
}

TEST(EncodeIco, WritesOneThirtyTwoPixelSixteenColourImage) {
  const Bytes ico = art::EncodeIco(IconPattern());
  ASSERT_EQ(ico.size(), kIcoFileSize);
  // Directory.
  EXPECT_EQ(U16(ico, 0), 0U);
  EXPECT_EQ(U16(ico, 2), 1U);  // icon, not cursor
  EXPECT_EQ(U16(ico, 4), 1U);  // one image
  // Its entry.
  EXPECT_EQ(ico[6], 32);
  EXPECT_EQ(ico[7], 32);
  EXPECT_EQ(ico[8], 16);
  EXPECT_EQ(ico[9], 0);
  EXPECT_EQ(U16(ico, 10), 1U);
  EXPECT_EQ(U16(ico, 12), 4U);
  EXPECT_EQ(U32(ico, 14), kIcoFileSize - kIcoImage);
  EXPECT_EQ(U32(ico, 18), kIcoImage);
  // The image's header: colour image and mask stacked, so twice the height.
  EXPECT_EQ(U32(ico, kIcoImage), kInfoHeader);
  EXPECT_EQ(I32(ico, kIcoImage + 4), 32);
  EXPECT_EQ(I32(ico, kIcoImage + 8), 64);
  EXPECT_EQ(U16(ico, kIcoImage + 12), 1U);
  EXPECT_EQ(U16(ico, kIcoImage + 14), 4U);
  EXPECT_EQ(U32(ico, kIcoImage + 16), 0U);
  EXPECT_EQ(U32(ico, kIcoImage + 20), kIcoFileSize - kIcoColourRows);
  // The palette, blue green red and a zero.
  const auto palette = art::IconPalette();
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const std::size_t at = kIcoPalette + 4 * i;
    EXPECT_EQ(ico[at], palette[i].b) << i;
    EXPECT_EQ(ico[at + 1], palette[i].g) << i;
    EXPECT_EQ(ico[at + 2], palette[i].r) << i;
    EXPECT_EQ(ico[at + 3], 0) << i;
  }
}

TEST(EncodeIco, MaskIsSetExactlyWhereTheCanvasIsTransparent) {
  const Canvas canvas = IconPattern();
  const Bytes ico = art::EncodeIco(canvas);
  const auto palette = art::IconPalette();
  int masked = 0;
  for (int y = 0; y < art::kIconSize; ++y) {
    for (int x = 0; x < art::kIconSize; ++x) {
      SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
      const bool transparent = canvas.AlphaAt(x, y) < 0.5;
      EXPECT_EQ(IcoMasked(ico, x, y), transparent);
      masked += transparent ? 1 : 0;
      // Transparent pixels are black so that the screen shows through unchanged.
      const int index = IcoIndex(ico, x, y);
      if (transparent) {
        EXPECT_EQ(index, 0);
      } else {
        EXPECT_EQ(palette[static_cast<std::size_t>(index)], canvas.Pixel(x, y));
      }
    }
  }
  EXPECT_EQ(masked, art::kIconSize * art::kIconSize / 2);
}

TEST(EncodeIco, RefusesImagesLargerThanAnIconCanBe) {
  EXPECT_THROW(art::EncodeIco(Canvas(257, 16)), std::invalid_argument);
}

// --- Drawing ---------------------------------------------------------------------------------

TEST(Sine, MatchesTheLibraryAcrossTurns) {
  for (const double degrees : {-725.0, -360.0, -180.0, -91.0, -30.0, 0.0, 1.0, 45.0, 89.5, 90.0,
                               135.0, 180.0, 200.0, 270.0, 359.0, 1000.0}) {
    const double radians = degrees * art::kPi / 180.0;
    EXPECT_NEAR(art::Sine(radians), std::sin(radians), 1e-12) << degrees;
    EXPECT_NEAR(art::Cosine(radians), std::cos(radians), 1e-12) << degrees;
  }
}

TEST(Canvas, PaintedDiscCoversItsAreaWithSoftEdges) {
  constexpr double kRadius = 6.0;
  Canvas canvas(20, 20);
  canvas.Paint(art::Circle({10.0, 10.0}, kRadius), FromBytes(255, 0, 0));
  double area = 0.0;
  int partial = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      const double a = canvas.AlphaAt(x, y);
      area += a;
      partial += (a > 0.0 && a < 1.0) ? 1 : 0;
    }
  }
  EXPECT_NEAR(area, art::kPi * kRadius * kRadius, 1.0);
  EXPECT_GT(partial, 8);
  EXPECT_EQ(canvas.AlphaAt(10, 10), 1.0);
  EXPECT_EQ(canvas.AlphaAt(0, 0), 0.0);
  EXPECT_EQ(canvas.Pixel(10, 10), (Rgb8{255, 0, 0}));
}

TEST(Canvas, BlendingHalfOverOpaqueMixesTheColours) {
  Canvas canvas(1, 1);
  canvas.Set(0, 0, FromBytes(0, 0, 200));
  canvas.Blend(0, 0, FromBytes(200, 100, 0), 0.5);
  EXPECT_EQ(canvas.Pixel(0, 0), (Rgb8{100, 50, 100}));
  EXPECT_EQ(canvas.AlphaAt(0, 0), 1.0);
}

TEST(Lettering, WidthGrowsWithSizeAndTextCoversItsStrokes) {
  const art::TextStyle small{.capHeight = 10.0};
  const art::TextStyle large{.capHeight = 20.0};
  EXPECT_DOUBLE_EQ(art::TextWidth("Zibbet", large), 2.0 * art::TextWidth("Zibbet", small));
  EXPECT_GT(art::TextWidth("Version 1", small), art::TextWidth("Version", small));

  // A lone "l" is a vertical stroke from the baseline up to the cap height.
  const art::Shape l = art::Text("l", {5.0, 30.0}, large);
  EXPECT_LT(l.DistanceAt({5.0, 20.0}), 0.0);
  EXPECT_LT(l.DistanceAt({5.0, 11.0}), 0.0);
  EXPECT_GT(l.DistanceAt({5.0, 8.0}), 0.0);
  EXPECT_GT(l.DistanceAt({12.0, 20.0}), 0.0);
}

TEST(Lettering, RefusesCharactersWithoutAGlyph) {
  for (const char c : {'Z', 'i', 'b', 'e', 't', 'V', 'r', 's', 'o', 'n', '1', 'c', 'l', 'k', 'a'}) {
    EXPECT_TRUE(art::HasGlyph(c)) << c;
  }
  EXPECT_FALSE(art::HasGlyph('#'));
  EXPECT_THROW(art::Text("Zib#", {0.0, 10.0}, art::TextStyle{}), std::invalid_argument);
  EXPECT_THROW(art::TextWidth("?", art::TextStyle{}), std::invalid_argument);
}

// --- The generated set -----------------------------------------------------------------------

struct ExpectedArt {
  std::string resource;
  bool icon;
  int width;
  int height;
};

std::vector<ExpectedArt> Expected() {
  return {
      {"ZIBBET_ICON_APP", true, 32, 32},
      {"ZIBBET_ICON_FORM1_POINTER", true, 32, 32},
      {"ZIBBET_ICON_FORM1_LABELS", true, 32, 32},
      {"ZIBBET_ICON_FORM2_POINTER", true, 32, 32},
      {"ZIBBET_BITMAP_FORM1", false, 111, 113},
      {"ZIBBET_BITMAP_FORM2", false, 267, 403},
      {"ZIBBET_BITMAP_FORM5_LEFT", false, 250, 371},
      {"ZIBBET_BITMAP_FORM5_RIGHT", false, 229, 400},
  };
}

TEST(Generator, WritesEveryPictureInItsSizeAndFormat) {
  TempDir dir;
  const auto files = art::WriteArtwork(dir.path());
  const auto catalogue = art::Catalogue();
  const auto expected = Expected();
  ASSERT_EQ(files.size(), expected.size());
  ASSERT_EQ(catalogue.size(), expected.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    const ExpectedArt& e = expected[i];
    SCOPED_TRACE(e.resource);
    EXPECT_EQ(catalogue[i].resource, e.resource);
    const Bytes data = ReadFile(files[i]);
    if (e.icon) {
      ASSERT_EQ(data.size(), kIcoFileSize);
      EXPECT_EQ(U16(data, 2), 1U);
      EXPECT_EQ(U16(data, 4), 1U);
      EXPECT_EQ(data[6], e.width);
      EXPECT_EQ(data[7], e.height);
      EXPECT_EQ(U16(data, 12), 4U);
      EXPECT_EQ(I32(data, kIcoImage + 4), e.width);
      EXPECT_EQ(I32(data, kIcoImage + 8), 2 * e.height);
      EXPECT_EQ(U16(data, kIcoImage + 14), 4U);
    } else {
      ASSERT_GE(data.size(), kBmpPixels);
      EXPECT_EQ(data[0], 'B');
      EXPECT_EQ(data[1], 'M');
      EXPECT_EQ(I32(data, 18), e.width);
      EXPECT_EQ(I32(data, 22), e.height);
      EXPECT_EQ(U16(data, 28), 24U);
      const auto stride = (static_cast<std::size_t>(e.width) * 3 + 3) / 4 * 4;
      EXPECT_EQ(data.size(), kBmpPixels + stride * static_cast<std::size_t>(e.height));
    }
  }
}

TEST(Generator, GivesTheSameBytesEveryTime) {
  TempDir first;
  TempDir second;
  const auto a = art::WriteArtwork(first.path());
  const auto b = art::WriteArtwork(second.path());
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].filename(), b[i].filename());
    EXPECT_TRUE(ReadFile(a[i]) == ReadFile(b[i])) << a[i].filename().string();
  }
}

TEST(Generator, PointersAreTransparentAroundTheirMarks) {
  for (const auto draw : {art::DrawTargetPointer, art::DrawClickPointer}) {
    const Canvas pointer = draw();
    int opaque = 0;
    for (const int corner : {0, art::kIconSize - 1}) {
      EXPECT_LT(pointer.AlphaAt(corner, 0), 0.5);
      EXPECT_LT(pointer.AlphaAt(corner, art::kIconSize - 1), 0.5);
    }
    for (int y = 0; y < art::kIconSize; ++y) {
      for (int x = 0; x < art::kIconSize; ++x) {
        opaque += pointer.AlphaAt(x, y) >= 0.5 ? 1 : 0;
      }
    }
    // A mark, not a filled square: most of the pointer lets the window show through.
    EXPECT_GT(opaque, 30);
    EXPECT_LT(opaque, art::kIconSize * art::kIconSize / 3);
    // The hot spot itself is part of the mark.
    EXPECT_GE(pointer.AlphaAt(art::kIconSize / 2, art::kIconSize / 2), 0.5);
  }
}

TEST(Generator, ConsoleBackgroundStaysDarkUnderTheWhiteLabels) {
  // White bold text needs a dark ground everywhere on the small window.
  constexpr double kBrightest = 0.3;
  const Canvas background = art::DrawConsoleBackground();
  double brightest = 0.0;
  for (int y = 0; y < background.height(); ++y) {
    for (int x = 0; x < background.width(); ++x) {
      brightest = std::max(brightest, art::Luma(background.ColourAt(x, y)));
    }
  }
  EXPECT_LT(brightest, kBrightest);
}

TEST(Generator, SplashKeepsItsBottomRowsPlain) {
  // The window cuts off the last two rows; nothing drawn should come near them.
  constexpr int kClearRows = 12;
  constexpr double kMostVariation = 0.12;
  const Canvas splash = art::DrawSplash();
  for (int y = splash.height() - kClearRows; y < splash.height(); ++y) {
    double low = 1.0;
    double high = 0.0;
    for (int x = 0; x < splash.width(); ++x) {
      const double luma = art::Luma(splash.ColourAt(x, y));
      low = std::min(low, luma);
      high = std::max(high, luma);
    }
    EXPECT_LT(high - low, kMostVariation) << "row " << y;
  }
}

TEST(ResourceScript, PutsOneStatementPerPictureInPlaceOfTheMarker) {
  const std::string script =
      art::ResourceScript("#include \"forms/Resources.h\"\n@ZIBBET_ART@// end\n");
  EXPECT_EQ(script.find("@ZIBBET_ART@"), std::string::npos);
  EXPECT_EQ(script.rfind("#include \"forms/Resources.h\"\n", 0), 0U);
  for (const art::Artwork& a : art::Catalogue()) {
    const std::string statement = std::string(a.resource) +
                                  (a.format == art::Format::Icon ? " ICON \"" : " BITMAP \"") +
                                  std::string(a.file) + "\"\n";
    EXPECT_NE(script.find(statement), std::string::npos) << statement;
  }
  EXPECT_NE(script.find("\"\n// end\n"), std::string::npos);
}

TEST(ResourceScript, RefusesATemplateWithoutTheMarker) {
  EXPECT_THROW(art::ResourceScript("1 VERSIONINFO\n"), std::invalid_argument);
}

}  // namespace
