#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "Canvas.h"

// The program's pictures and icons, as src/forms/pictures/ and practicehost/ hold them.
namespace art {

enum class Format { Bitmap, Icon };

struct Artwork {
  std::string_view file;
  Format format = Format::Bitmap;
  Canvas (*draw)() = nullptr;
};

// Main window background, 111 x 113: dark enough for white bold labels anywhere on it.
Canvas DrawConsoleBackground();
// Start-up window, 267 x 403: name, version and a hint to click.
Canvas DrawSplash();
// Picture window, left 250 x 371 and right 229 x 400.
Canvas DrawSunsetHills();
Canvas DrawStarryLake();

// 32 x 32 icons, drawn in the icon palette's colours. Pointers have their hot spot on pixel
// (kIconSize / 2, kIconSize / 2).
Canvas DrawAppIcon();
Canvas DrawTargetPointer();
Canvas DrawStarIcon();
Canvas DrawClickPointer();
// The practice host's own icon, 32 x 32.
Canvas DrawHostIcon();

std::vector<Artwork> Catalogue();

// Draws and writes every picture into dir; returns the files written, in catalogue order.
std::vector<std::filesystem::path> WriteArtwork(const std::filesystem::path& dir);

}  // namespace art
