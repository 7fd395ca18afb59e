// zibbet_artgen OUTPUT_DIR: draws Zibbet's pictures and icons into OUTPUT_DIR.
#include <exception>
#include <filesystem>
#include <iostream>
#include <span>

#include "Artwork.h"

int main(int argc, char** argv) {
  const std::span<char*> args(argv, static_cast<std::size_t>(argc));
  if (args.size() != 2) {
    std::cerr << "usage: zibbet_artgen OUTPUT_DIR\n";
    return 2;
  }
  try {
    art::WriteArtwork(args[1]);
  } catch (const std::exception& e) {
    std::cerr << "zibbet_artgen: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
