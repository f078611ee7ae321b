// Small projects for the cast loaders: solid BMP sheets and the INI files of a project "P" in a
// temporary folder, written the way a game maker's editor would (CRLF line ends).
#pragma once

#include <cstdint>
#include <string>

#include "support/bmp_builder.h"
#include "support/test_world.h"

namespace testing_support {

// A 24-bit bottom-up BMP of one colour.
inline std::string SolidBmp(int width, int height, uint32_t rgb = 0x336699) {
  gfxtest::BmpLayout layout;
  layout.width = width, layout.height = height;
  std::vector<uint8_t> row;
  for (int x = 0; x < width; ++x) row.insert(row.end(), {uint8_t(rgb), uint8_t(rgb >> 8), uint8_t(rgb >> 16)});
  layout.pixelData = gfxtest::PadRows(std::vector<std::vector<uint8_t>>(static_cast<std::size_t>(height), row));
  return gfxtest::AsText(gfxtest::BuildBmp(layout));
}

// LF line ends become CRLF.
inline std::string Crlf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

inline constexpr const char* kPlayerSheets = "Projects/P/Graphics/Sprites_characters_units/";
inline constexpr const char* kBotSheets = "Projects/P/Graphics/Sprites_bots_units/";
inline constexpr const char* kOtherSheets = "Projects/P/Graphics/Sprites_other_units/";
inline constexpr const char* kObjectSheets = "Projects/P/Graphics/Sprites_objects_units/";
inline constexpr const char* kDataFolder = "Projects/P/Data/";

// The sheets every project of these tests has: kits, the characters' attached units and one
// sheet of each kind (256 x 128 "sheet.bmp"), a 32 x 32 "icon.bmp" and a 4-frame "thing.bmp".
inline void WriteCommonSheets(const TempDir& dir) {
  for (const char* folder : {kPlayerSheets, kBotSheets}) {
    const std::string who = folder == kPlayerSheets ? "player" : "bot";
    dir.Write(std::string(folder) + "ball_fire_" + who + ".bmp", SolidBmp(45, 15));
    dir.Write(std::string(folder) + "ball_fire_explosion_" + who + ".bmp", SolidBmp(112, 56));
    dir.Write(std::string(folder) + "attack_sword_sprite_" + who + ".bmp", SolidBmp(324, 81));
  }
  for (const char* folder : {kPlayerSheets, kBotSheets, kOtherSheets}) {
    dir.Write(std::string(folder) + "sheet.bmp", SolidBmp(256, 128));
  }
  dir.Write("Projects/P/Graphics/System/Respawn_fx.bmp", SolidBmp(567, 63));
  dir.Write(std::string(kObjectSheets) + "health_object.bmp", SolidBmp(32, 32));
  dir.Write(std::string(kObjectSheets) + "ammo_object.bmp", SolidBmp(32, 32));
  dir.Write(std::string(kObjectSheets) + "icon.bmp", SolidBmp(32, 32));
  dir.Write(std::string(kObjectSheets) + "thing.bmp", SolidBmp(128, 32));
  dir.Write(std::string(kObjectSheets) + "bad.bmp", "BM not a picture");
  dir.Write(std::string(kPlayerSheets) + "bad.bmp", "BM not a picture");
}

// A player sprite section of "sheet.bmp" cut into 64 x 64 frames, with all eight ranges.
inline std::string PlayerSprite(int number, const std::string& extra = "") {
  std::string text = "[player_character_sprite_" + std::to_string(number) +
                     "]\nsprite_bmp=sheet.bmp\nsprite_frame_width=64\nsprite_frame_height=64\nsprite_number_frames=8\n";
  for (const char* key : {"up", "down", "right_up", "left_up", "right_down", "left_down", "right", "left"}) {
    text += std::string("sprite_frames_") + key + "=1, 2\n";
  }
  return text + extra;
}

}  // namespace testing_support
