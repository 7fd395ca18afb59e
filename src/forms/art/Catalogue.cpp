#include <stdexcept>

#include "Artwork.h"
#include "ImageFiles.h"

namespace art {
namespace {

constexpr std::string_view kPlaceholder = "@ZIBBET_ART@";

}  // namespace

std::vector<Artwork> Catalogue() {
  // Icons first: the lowest icon number is the program file's icon.
  return {
      {"ZIBBET_ICON_APP", "app.ico", Format::Icon, DrawAppIcon},
      {"ZIBBET_ICON_FORM1_POINTER", "form1_pointer.ico", Format::Icon, DrawTargetPointer},
      {"ZIBBET_ICON_FORM1_LABELS", "form1_labels.ico", Format::Icon, DrawStarIcon},
      {"ZIBBET_ICON_FORM2_POINTER", "form2_pointer.ico", Format::Icon, DrawClickPointer},
      {"ZIBBET_BITMAP_FORM1", "form1.bmp", Format::Bitmap, DrawConsoleBackground},
      {"ZIBBET_BITMAP_FORM2", "form2.bmp", Format::Bitmap, DrawSplash},
      {"ZIBBET_BITMAP_FORM5_LEFT", "form5_left.bmp", Format::Bitmap, DrawSunsetHills},
      {"ZIBBET_BITMAP_FORM5_RIGHT", "form5_right.bmp", Format::Bitmap, DrawStarryLake},
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

std::string ResourceScript(std::string_view scriptTemplate) {
  std::string statements;
  for (const Artwork& art : Catalogue()) {
    statements += art.resource;
    statements += art.format == Format::Icon ? " ICON \"" : " BITMAP \"";
    statements += art.file;
    statements += "\"\n";
  }
  std::string script(scriptTemplate);
  bool found = false;
  for (auto at = script.find(kPlaceholder); at != std::string::npos;
       at = script.find(kPlaceholder, at + statements.size())) {
    script.replace(at, kPlaceholder.size(), statements);
    found = true;
  }
  if (!found) {
    throw std::invalid_argument("the resource script template has no @ZIBBET_ART@");
  }
  return script;
}

}  // namespace art
