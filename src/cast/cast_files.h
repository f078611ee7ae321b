// What the cast loaders share: the files and folders of each unit kind, reading one value,
// and making a sprite the engine owns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "cast/cast_loaders.h"
#include "config/fatal_error.h"
#include "config/game_config.h"
#include "engine/orvanta_engine.h"

class CGameSprite;
class CGameUnit;

namespace cast {

inline constexpr uint32_t kSpriteKey = 0xBF7BC7;
inline constexpr uint32_t kUnitShadowKey = 0x0C0905;    // unit and object sprites
inline constexpr uint32_t kSystemShadowKey = 0x5F3D63;  // pick-up kits

struct UnitKindFiles {
  const char* iniFile;        // in the Data folder
  const char* spriteSection;  // with the sprite number
  const char* unitSection;    // with the unit number
  int sheetFolder;            // project folder of the sheets and dialog images
  int mapLayer;               // object layer that places the units
  int kindCode;               // given to the unit
};

// Kinds 1 player, 2 bot, 3 other.
const UnitKindFiles& KindFiles(int kind);

// Data folder + "\\" + file name.
std::string DataFile(const config::LauncherSettings& launcher, const char* fileName);

// "Fatal error in file %s" in the language.
std::string LoaderCaption(config::Language language, const char* fileName);

// A loader's end: with an error text, the one box of the file (none for an empty text, which a
// callee has already shown) and the quit; false then, true without an error.
bool ReportFirstError(const config::GameConfig& config, const char* fileName, const std::optional<std::string>& error);

// One value of a section, cut to bufferSize - 1; empty when absent.
std::string ReadKey(const std::string& path, const std::string& section, const char* key, std::size_t bufferSize);

// What every cast loader shares: the numbered sections of one INI file read in order until the
// first one fails, whose error text the loader keeps (empty after a box a callee has shown).
class SectionLoader {
 protected:
  SectionLoader(COrvantaEngine& engine, std::string path, std::size_t valueBuffer)
      : engine_(engine), path_(std::move(path)), valueBuffer_(valueBuffer) {}

  // Loads sections 1 to count with loadSection(number); the first failure's text, or nothing.
  // While a checker listens, every failing section is reported and the next one is read.
  template <class LoadSection>
  std::optional<std::string> RunSections(int count, LoadSection loadSection) TL_REQUIRES(engine_.Lock()) {
    for (int number = 1; number <= count; ++number) {
      if (loadSection(number)) continue;
      const config::ProblemListeners& listeners = Config().listeners;
      if (!config::CheckingProject(listeners)) return error_;
      config::CheckerSectionStopped(listeners, path_, section_);
      config::FatalError(listeners, LoaderCaption(Config().language(), FileName().c_str()), error_);
      error_.clear();
    }
    return std::nullopt;
  }

  // A section that exists but lacks the key that makes it count is skipped without a word in a
  // game; a checker hears of it.
  bool SkipWithoutKey(const char* key) {
    if (config::CheckingProject(Config().listeners) && SectionExists()) {
      config::CheckerWarning(Config().listeners, "Data/" + FileName(),
                             "Section [" + section_ + "] is skipped: its '" + key + "' is empty or missing.");
    }
    return true;
  }

  // A value of the current section, cut to the loader's buffer (or the given one).
  std::string Read(const char* key, std::size_t buffer = 0) const {
    return ReadKey(path_, section_, key, buffer == 0 ? valueBuffer_ : buffer);
  }

  // A checker hears of something the game takes without a word: "Section [s]: text".
  void TellChecker(bool error, const std::string& text) const {
    const std::string caption = "Data/" + FileName();
    const std::string said = "Section [" + section_ + "]: " + text;
    if (error) {
      config::CheckerError(Config().listeners, caption, said);
    } else {
      config::CheckerWarning(Config().listeners, caption, said);
    }
  }

  // One side of a frame: its key, the size the section gives and the sheet's size.
  struct FrameSide {
    const char* key;
    int size;
    int sheet;
  };
  // What the game makes of a frame size without a word, for a checker: 0 or below is taken as 1
  // (a warning); a frame larger than its sheet cuts no frame at all, so nothing of the sprite
  // ever shows (an error).
  void CheckFrameSize(const FrameSide& width, const FrameSide& height) const;

  bool Fail(std::string text) {
    error_ = std::move(text);
    return false;
  }

  // The game's settings and tables the loader reads and fills.
  config::GameConfig& Config() const;

  COrvantaEngine& engine_;  // takes what the loader creates
  std::string path_;
  std::string section_;  // the section being read

 private:
  std::string FileName() const { return path_.substr(path_.find_last_of('\\') + 1); }
  bool SectionExists() const;

  std::size_t valueBuffer_;
  std::string error_;
};

// A checker's form of an "is invalid" message: with the image loader's reason after it ("...,
// is invalid: not a BMP file"); a game's box stays as it is.
std::string WithImageReason(const config::ProblemListeners& listeners, std::string text, const std::string& reason);

// Hands the sprite to the engine's sprite table and returns it; null (the sprite released) when
// the engine refuses it: no picture, or a full table.
CGameSprite* RegisterSprite(COrvantaEngine& engine, std::unique_ptr<CGameSprite> sprite) TL_REQUIRES(engine.Lock());

// Hands the unit to the engine's unit table; null (the unit released) when refused.
CGameUnit* RegisterUnit(COrvantaEngine& engine, std::unique_ptr<CGameUnit> unit) TL_REQUIRES(engine.Lock());

}  // namespace cast
