// zibbet_artgen OUTPUT_DIR TEMPLATE: draws the pictures and icons into OUTPUT_DIR and writes
// zibbet.rc there from TEMPLATE. Runs on the build machine.
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <span>
#include <string>

#include "Artwork.h"
#include "ImageFiles.h"

namespace {

constexpr int kArguments = 3;

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    throw std::runtime_error("cannot read " + path.string());
  }
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
  const std::span<char*> args(argv, static_cast<std::size_t>(argc));
  if (args.size() != kArguments) {
    std::cerr << "usage: zibbet_artgen OUTPUT_DIR TEMPLATE\n";
    return 2;
  }
  try {
    const std::filesystem::path dir = args[1];
    art::WriteArtwork(dir);
    const std::string script = art::ResourceScript(ReadText(args[2]));
    art::WriteFile(dir / "zibbet.rc", art::Bytes(script.begin(), script.end()));
  } catch (const std::exception& e) {
    std::cerr << "zibbet_artgen: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
