// `--check-image FILE [--out OUT.bmp]`: loads a BMP file with the engine's own loader and says
// whether the engine can use it, so game makers can check their pictures without starting a game.
#pragma once

#include <string>

// Prints "ok <width>x<height> <bits>-bit" and returns 0 when the file is usable (writing it as
// a 24-bit BMP to outPath unless that is empty); prints "invalid: <reason>" and returns 1
// otherwise. A usable file whose copy cannot be written also returns 1.
int RunCheckImage(const std::string& file, const std::string& outPath);
