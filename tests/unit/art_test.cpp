// The committed pictures and icons are what the art tool draws, byte for byte: a change to the
// drawing or the file encoders shows here, and is committed with its pictures
// (tools/art/remake.sh).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

#include "Artwork.h"

namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(Art, ToolRedrawsTheCommittedResources) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("zibbet-art-" + std::to_string(::getpid()));
  const auto written = art::WriteArtwork(dir);
  EXPECT_EQ(written.size(), 9U);
  for (const auto& path : written) {
    const std::string committed =
        ReadFile(path.filename() == "practicehost.ico"
                     ? std::filesystem::path(ZIBBET_HOST_ICON)
                     : std::filesystem::path(ZIBBET_PICTURES) / path.filename());
    EXPECT_FALSE(committed.empty()) << path.filename();
    EXPECT_TRUE(ReadFile(path) == committed) << path.filename() << " differs";
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
