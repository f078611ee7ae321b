#include "app/check_image.h"

#include <iostream>

#include "gfx/bitmap_surface.h"

int RunCheckImage(const std::string& file, const std::string& outPath) {
  CBitmapSurface surface;
  if (!surface.LoadFile(file)) {
    std::cout << "invalid: " << surface.LoadError() << "\n";
    return 1;
  }
  std::cout << "ok " << surface.GetWidth() << "x" << surface.GetHeight() << " " << surface.GetBitCount() << "-bit\n";
  if (!outPath.empty() && !surface.SaveFile(outPath)) {
    std::cerr << "cannot write " << outPath << "\n";
    return 1;
  }
  return 0;
}
