#include "script/script_commands.h"

#include <string>
#include <string_view>
#include <utility>

#include "audio/sound_effects.h"
#include "config/game_config.h"
#include "config/object_lookup.h"
#include "engine/orvanta_engine.h"
#include "gfx/bitmap_surface.h"
#include "map/game_map.h"
#include "platform/platform.h"
#include "script/script_unit_properties.h"
#include "script/script_values.h"
#include "script/script_variables.h"
#include "units/game_unit.h"

namespace script {
namespace {

constexpr std::size_t kCameraItemLength = 7;
constexpr std::size_t kObjectNameLength = 127;
constexpr std::size_t kVariableNameLength = 254;

CGameUnit* Unit(const ScriptContext& world, std::string_view name) TL_REQUIRES(world.engine.Lock()) {
  return name.empty() ? nullptr : world.engine.FindUnitByName(std::string(name).c_str());
}

// The first two items of a word split at spaces and commas; empty ones when missing.
std::pair<std::string_view, std::string_view> SplitTwo(std::string_view text) {
  constexpr std::string_view kSeparators = " ,";
  std::string_view items[2];
  std::size_t pos = 0;
  for (auto& item : items) {
    const std::size_t start = text.find_first_not_of(kSeparators, pos);
    if (start == std::string_view::npos) break;
    std::size_t end = text.find_first_of(kSeparators, start);
    if (end == std::string_view::npos) end = text.size();
    item = text.substr(start, end - start);
    pos = end;
  }
  return {items[0], items[1]};
}

void MoveUnit(ScriptContext& world, const ScriptLine& line) TL_REQUIRES(world.engine.Lock()) {
  CGameUnit* unit = Unit(world, line.leftUnitName().empty() ? line.argument() : line.leftUnitName());
  if (unit == nullptr) return;
  unit->Stop();
  unit->ClearPath();
  unit->Resume();
}

void ShowMessage(ScriptContext& world, const ScriptLine& line, bool show) TL_REQUIRES(world.engine.Lock()) {
  CGameUnit* unit = Unit(world, line.leftUnitName());
  if (unit == nullptr) return;
  // A negative message time wraps round to a very long one, as an unsigned duration does.
  unit->ShowBubble(show, static_cast<uint32_t>(show ? world.unitFields.Peek(unit).messageTime : 0), world.engine.Now());
}

// The owner's inventory, through the same operations (caps, messages, sounds) as pickups.
void Inventory(ScriptContext& world, const ScriptLine& line, CGameUnit* owner) TL_REQUIRES(world.engine.Lock()) {
  if (line.command == ScriptCommand::GetInventoryObject) {
    auto [object, variable] = SplitTwo(line.argument());
    if (object.empty() || variable.empty()) return;
    const int number =
        config::FindObjectByName(world.engine.Config().tables, object.substr(0, kObjectNameLength), true);
    if (number == 0 || owner == nullptr) return;
    world.variables.SetNumber(variable.substr(0, kVariableNameLength), NumberChange::Assign,
                              owner->CountInInventory(number));
    return;
  }
  const int number = config::FindObjectByName(world.engine.Config().tables, line.argument(), true);
  if (number == 0 || owner == nullptr) return;
  if (line.command == ScriptCommand::AddInventoryObject) {
    owner->AddToInventory(number, -1, world.engine.CurrentWorld());
  } else {
    owner->UseFromInventory(number, 1, world.engine.CurrentWorld());
  }
}

void CheckPoint(ScriptContext& world, CGameUnit* owner) TL_REQUIRES(world.engine.Lock()) {
  if (owner == nullptr) return;
  owner->SetSpawnPosition(owner->Position());
  audio::PlaySoundEffect(world.engine.Config().launcher, "checkpoint.wav");
  world.engine.AddHudMessage("** Checkpoint **", 1, 0);
}

void SetCamera(ScriptContext& world, std::string_view argument) TL_REQUIRES(world.engine.Lock()) {
  auto [x, y] = SplitTwo(argument);
  CGameMap* map = world.engine.Map();
  if (x.empty() || y.empty() || map == nullptr) return;
  map->SetCameraX(ReadNumber(x.substr(0, kCameraItemLength)));
  map->SetCameraY(ReadNumber(y.substr(0, kCameraItemLength)));
}

}  // namespace

void SetProperty(ScriptContext& world, const ScriptLine& line) {
  CGameUnit* unit = Unit(world, line.leftUnitName());
  if (unit == nullptr || line.value().empty() || line.rightDotted) return;
  SetUnitProperty(*unit, line.leftProperty, line.value(), line.valueQuoted, world.engine.Now(), world.unitFields,
                  world.engine.Config().settings.fontNames[0]);
}

void RunCommand(ScriptContext& world, const ScriptLine& line, CGameUnit* owner, const CBitmapSurface* picture) {
  switch (line.command) {
    case ScriptCommand::MoveUnit: MoveUnit(world, line); break;
    case ScriptCommand::Show: ShowMessage(world, line, true); break;
    case ScriptCommand::Hide: ShowMessage(world, line, false); break;
    case ScriptCommand::ShowImage:
      if (picture != nullptr && !line.argument().empty())
        world.engine.ShowImageDialog(*picture, std::string(line.argument()));
      break;
    case ScriptCommand::AddInventoryObject:
    case ScriptCommand::SubUseInventoryObject:
    case ScriptCommand::GetInventoryObject: Inventory(world, line, owner); break;
    case ScriptCommand::SetMapTile:
      if (CGameMap* map = world.engine.Map(); map != nullptr && !line.argument().empty())
        map->SetTile(std::string(line.argument()));
      break;
    case ScriptCommand::PlaySound:
      if (!line.argument().empty()) audio::PlaySoundEffect(world.engine.Config().launcher, line.argument());
      break;
    case ScriptCommand::CheckPoint: CheckPoint(world, owner); break;
    case ScriptCommand::SetCameraPosition: SetCamera(world, line.argument()); break;
    default: break;
  }
}

}  // namespace script
