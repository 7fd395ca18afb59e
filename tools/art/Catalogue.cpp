#include "Artwork.h"
#include "ImageFiles.h"

namespace art {
std::vector<Artwork> Catalogue() {
  // Icons first: the lowest icon number is the program file's icon.
  return {
      {"app.ico", Format::Icon, DrawAppIcon},
      {"form1_pointer.ico", Format::Icon, DrawTargetPointer},
      {"form1_labels.ico", Format::Icon, DrawStarIcon},
      {"form2_pointer.ico", Format::Icon, DrawClickPointer},
      {"form1.bmp", Format::Bitmap, DrawConsoleBackground},
      {"form2.bmp", Format::Bitmap, DrawSplash},
      {"form5_left.bmp", Format::Bitmap, DrawSunsetHills},
      {"form5_right.bmp", Format::Bitmap, DrawStarryLake},
      // PracticeHost.exe's, not Zibbet's.
      {"practicehost.ico", Format::Icon, DrawHostIcon},
  };
}

std::vector<std::filesystem::path> WriteArtwork(const std::filesystem::path& dir) {
  std::filesystem::create_directories(dir);
  std::vector<std::filesystem::path> written;
  for (const Artwork& art : Catalogue()) {
    const Canvas canvas = art.draw();
    const std::filesystem::path path = dir / art.file;
    WriteFile(path, art.format == Format::Icon ? EncodeIco(canvas) : EncodeBmp(canvas));
    written.push_back(path);
  }
  return written;
}

}  // namespace art
