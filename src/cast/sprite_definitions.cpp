// The sprite sections of a unit kind's INI file: one sheet per sprite number, with its frame
// size, direction frame ranges and collision box, into the sprite definition table.
#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "cast/cast_files.h"
#include "cast/cast_loaders.h"
#include "config/game_tables.h"
#include "config/ini_values.h"
#include "config/language.h"
#include "config/project_path.h"
#include "engine/orvanta_engine.h"
#include "platform/files.h"
#include "units/game_sprite.h"

namespace cast {
namespace {

constexpr std::size_t kValueBuffer = 64;

// In the order of the definition's frame ranges.
constexpr std::array<const char*, 8> kDirectionKeys = {
    "sprite_frames_up",         "sprite_frames_down",      "sprite_frames_right_up", "sprite_frames_left_up",
    "sprite_frames_right_down", "sprite_frames_left_down", "sprite_frames_right",    "sprite_frames_left"};

class SpriteDefinitionsLoader : SectionLoader {
 public:
  SpriteDefinitionsLoader(COrvantaEngine& engine, int kind, std::string path)
      : SectionLoader(engine, std::move(path), kValueBuffer), kind_(kind), files_(KindFiles(kind)) {}

  std::optional<std::string> Run() {
    // The entry function that made this loader requires its engine's lock, which the analysis
    // cannot tie to the loader's reference to that engine.
    engine_.Lock().AssumeHeld();
    return RunSections(config::kMaxSpriteDefs,
                       [this](int number) TL_REQUIRES(engine_.Lock()) { return LoadSprite(number); });
  }

 private:
  // `imageReason`: why the image loader refused the sheet, which a checker adds.
  bool Fail(const char* english, const char* spanish, const std::string& detail, int number,
            const std::string& imageReason = {}) {
    return SectionLoader::Fail(WithImageReason(Config().listeners,
                                               config::Format(config::Tr(Config().language(), english, spanish).c_str(),
                                                              section_.c_str(), detail.c_str(), number),
                                               imageReason));
  }

  bool LoadSprite(int number) TL_REQUIRES(engine_.Lock()) {
    section_ = config::Format(files_.spriteSection, number);
    const std::string sheetName = Read("sprite_bmp");
    if (sheetName.empty()) return SkipWithoutKey("sprite_bmp");
    const std::string shown = config::JoinedPath(Config().launcher, files_.sheetFolder, sheetName);
    const auto sheetPath = config::FileInProjectFolder(Config().launcher, files_.sheetFolder, sheetName);
    if (!sheetPath || !platform::FileExists(*sheetPath)) {
      return Fail("Section [%s]:\nSprite file '%s' not found.", "Sección [%s]:\nNo existe el fichero de sprite '%s'.",
                  shown, number);
    }
    auto sprite = std::make_unique<CGameSprite>();
    if (!sprite->LoadSheet(*sheetPath) || !sprite->IsValid()) {
      return Fail("Section [%s]:\nFile '%s' of the sprite number %d, is invalid",
                  "Sección [%s]:\nEl fichero '%s' del sprite número %d, no es válido.", shown, number,
                  sprite->Sheet().LoadError());
    }
    config::SpriteDefinition def;
    const int sheetWidth = sprite->Sheet().GetWidth();
    const int sheetHeight = sprite->Sheet().GetHeight();
    def.frameWidth = sheetWidth;
    def.frameHeight = sheetHeight;
    def.collisionBox = {1, 1, sheetWidth - 2, sheetHeight - 2};
    if (const std::string v = Read("sprite_collision_box"); !v.empty()) {
      // The frame size keys come later: the box is kept inside the sheet here.
      auto box = config::ParseList4(v);
      box[0] = std::max(box[0], 0);
      box[1] = std::max(box[1], 0);
      if (box[2] > def.frameWidth) box[2] = def.frameWidth - 1;
      if (box[3] > def.frameHeight) box[3] = def.frameHeight - 1;
      def.collisionBox = box;
    }
    def.maleCharacter = config::ParseFlag(Read("sprite_male_character"), "false", true) ? 1 : 0;
    if (const std::string v = Read("sprite_frame_width"); !v.empty()) def.frameWidth = config::ParseInt(v);
    if (const std::string v = Read("sprite_frame_height"); !v.empty()) def.frameHeight = config::ParseInt(v);
    if (const std::string v = Read("sprite_number_frames"); !v.empty())
      def.numberOfFrames = std::max(config::ParseInt(v), 1);
    if (const std::string v = Read("sprite_animation_time"); !v.empty())
      def.animationTime = std::max(config::ParseInt(v), 0);
    CheckFrameSize({"sprite_frame_width", def.frameWidth, sheetWidth},
                   {"sprite_frame_height", def.frameHeight, sheetHeight});
    if (kind_ != kKindOther && !ReadFrameRanges(number, def)) return false;
    sprite->SetColors(kSpriteKey, kUnitShadowKey);
    sprite->SetFrameSize(def.frameWidth, def.frameHeight);
    def.sprite = RegisterSprite(engine_, std::move(sprite));
    def.defined = true;
    Config().tables.spriteDefs[static_cast<std::size_t>(number)] = def;
    Config().tables.spriteNumbersByKind[static_cast<std::size_t>(kind_)].push_back(number);
    return true;
  }

  bool ReadFrameRanges(int number, config::SpriteDefinition& def) {
    for (std::size_t i = 0; i < kDirectionKeys.size(); ++i) {
      const std::string value = Read(kDirectionKeys[i]);
      if (value.empty()) {
        return Fail("Section [%s]:\nVariable '%s' not defined for the sprite number %d.",
                    "Sección [%s]:\nVariable '%s' no definida para el sprite número %d.", kDirectionKeys[i], number);
      }
      const auto [first, last] = config::ParsePair(value);
      if (first < 1 || first > def.numberOfFrames || last < 1 || last > def.numberOfFrames) {
        return Fail("Section [%s]:\nNumber of frame out of bounds in variable '%s' of the sprite number %d.",
                    "Sección [%s]:\nNúmero de 'frame' fuera de rango en la variable '%s' del sprite número %d.",
                    kDirectionKeys[i], number);
      }
      def.frameRanges[i] = {first - 1, last - 1};
    }
    return true;
  }

  int kind_;
  const UnitKindFiles& files_;
};

}  // namespace

bool LoadSpriteDefinitions(COrvantaEngine& engine, int kind) {
  const UnitKindFiles& files = KindFiles(kind);
  const std::string path = DataFile(engine.Config().launcher, files.iniFile);
  if (!platform::FileExists(path)) return true;
  for (auto& def : engine.Config().tables.spriteDefs) def.defined = false;
  engine.Config().tables.spriteNumbersByKind[static_cast<std::size_t>(kind)].clear();
  return ReportFirstError(engine.Config(), files.iniFile, SpriteDefinitionsLoader(engine, kind, path).Run());
}

}  // namespace cast
