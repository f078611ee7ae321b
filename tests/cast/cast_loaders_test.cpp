#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "cast/cast_loaders.h"
#include "config/autoexec_reader.h"
#include "config/game_tables.h"
#include "config/launcher_settings.h"
#include "config/object_lookup.h"
#include "engine/orvanta_engine.h"
#include "platform/ini.h"
#include "script/script_manager.h"
#include "script/script_size.h"
#include "support/cast_fixture.h"
#include "units/game_sprite.h"
#include "units/game_unit.h"

namespace {

using namespace testing_support;

class CastLoaders : public HeadlessWorld {
 protected:
  void SetUp() override {
    HeadlessWorld::SetUp();
    config_.launcher.projectName = "P";
    config::BuildProjectFolders(config_.launcher, "P");
    WriteCommonSheets(dir_);
    engine_ = std::make_unique<COrvantaEngine>(config_);
    scripts_ = std::make_unique<COrvantaScriptManager>(*engine_);
    scripts_->ConnectToEngine();
  }
  void TearDown() override {
    scripts_.reset();
    engine_.reset();
    HeadlessWorld::TearDown();
  }

  // A fresh world, tables and engine for another case.
  void Restart() {
    scripts_.reset();
    engine_.reset();
    HeadlessWorld::TearDown();
    SetUp();
  }
  void WriteIni(const std::string& file, const std::string& text) {
    dir_.Write(std::string(kDataFolder) + file, Crlf(text));
    platform::ClearIniCache();
  }
  // The loaded unit of that name; a unit that did not load fails the test, and a blank unit
  // stands in for it so that the checks after it fail instead of crashing the program.
  CGameUnit* Unit(const char* idName) {
    if (CGameUnit* unit = engine_->FindUnitByName(idName)) return unit;
    ADD_FAILURE() << "no unit named " << idName;
    static CGameUnit blank;
    return &blank;
  }
  void PlaceOnMap(int layer, int number, int x, int y, int w = 64, int h = 64) {
    config_.tables.mapObjects[static_cast<std::size_t>(layer)].push_back({number, x, y, w, h});
  }
  static std::array<int, 4> Box(const CGameUnit& unit) {
    const units::Rect& box = unit.CollisionBox();
    return {box.left, box.top, box.right, box.bottom};
  }
  static std::array<int, 4> Zone(const CGameUnit& unit) {
    return {unit.moveZone.left, unit.moveZone.top, unit.moveZone.right, unit.moveZone.bottom};
  }
  bool TranscriptHas(const std::string& text) const { return Transcript().find(text) != std::string::npos; }

  // The names of the scripts the manager holds, in slot order.
  std::vector<std::string> RegisteredScriptNames() const {
    std::vector<std::string> names;
    for (std::size_t slot = 0; slot < COrvantaScriptManager::kMaxScripts; ++slot) {
      if (const COrvantaScript* script = scripts_->At(slot)) names.push_back(script->Name());
    }
    return names;
  }

  std::unique_ptr<COrvantaEngine> engine_;
  std::unique_ptr<COrvantaScriptManager> scripts_;
};

TEST_F(CastLoaders, SpriteNumbersAreDefinedOnlyBySectionsThatExistAndAUnitNamingAnotherFails) {
  WriteIni("player_characters_units.ini", PlayerSprite(1) + PlayerSprite(2) + PlayerSprite(5) +
                                              "[player_unit_1]\nunit_sprite=2\nunit_name=First\n"
                                              "[player_unit_2]\nunit_sprite=0\n[player_unit_3]\nunit_sprite=300\n"
                                              "[player_unit_4]\nunit_name=no sprite\n"
                                              "[player_unit_5]\nunit_sprite=3\n[player_unit_6]\nunit_sprite=1\n");
  ASSERT_TRUE(cast::LoadSpriteDefinitions(*engine_, cast::kKindPlayer)) << Transcript();
  const auto& defs = config_.tables.spriteDefs;
  EXPECT_EQ((std::vector<bool>{defs[1].defined, defs[2].defined, defs[3].defined, defs[4].defined, defs[5].defined}),
            (std::vector<bool>{true, true, false, false, true}));
  EXPECT_EQ(config_.tables.spriteNumbersByKind[1], (std::vector<int>{1, 2, 5}));
  EXPECT_FALSE(cast::LoadUnitDefinitions(*engine_, cast::kKindPlayer));
  EXPECT_TRUE(TranscriptHas("Section [player_unit_5]:\\nThe sprite number 3 is not defined.")) << Transcript();
  // Sections 2 to 4 were skipped without a word; the unit before the failing one stays.
  EXPECT_EQ(engine_->PlayerCount(), 1);
  EXPECT_EQ(Unit("First")->spriteNumber, 2);
}

TEST_F(CastLoaders, DirectionFrameRangesMustLieInsideTheFrameCount) {
  struct Case {
    const char* up;
    bool loads;
    int first, last;
  };
  for (const Case& c :
       std::vector<Case>{{"1, 2", true, 0, 1}, {"8, 1", true, 7, 0}, {"0, 2", false, 0, 0}, {"1, 9", false, 0, 0}}) {
    SCOPED_TRACE(c.up);
    Restart();
    std::string section = PlayerSprite(1);
    section.replace(section.find("sprite_frames_up=1, 2"), 21, std::string("sprite_frames_up=") + c.up);
    WriteIni("player_characters_units.ini", section);
    EXPECT_EQ(cast::LoadSpriteDefinitions(*engine_, cast::kKindPlayer), c.loads);
    const auto& range = config_.tables.spriteDefs[1].frameRanges[0];
    EXPECT_EQ(std::make_pair(range.first, range.last), std::make_pair(c.first, c.last));
  }
}

TEST_F(CastLoaders, ABotSpriteWithoutItsLastDirectionFailsNamingIt) {
  std::string section = PlayerSprite(4);
  section.replace(section.find("player_character_sprite_4"), 25, "bot_character_sprite_4");
  section.erase(section.find("sprite_frames_left=1, 2\n"), 24);
  WriteIni("bots_characters_units.ini", section + "[bot_character_sprite_5]\nsprite_bmp=sheet.bmp\n");
  EXPECT_FALSE(cast::LoadSpriteDefinitions(*engine_, cast::kKindBot));
  EXPECT_TRUE(TranscriptHas("Variable 'sprite_frames_left' not defined for the sprite number 4.")) << Transcript();
  EXPECT_FALSE(config_.tables.spriteDefs[4].defined);
  // Other units need no direction keys.
  WriteIni("other_units.ini", "[other_sprite_1]\nsprite_bmp=sheet.bmp\n");
  EXPECT_TRUE(cast::LoadSpriteDefinitions(*engine_, cast::kKindOther));
  EXPECT_TRUE(config_.tables.spriteDefs[1].defined);
}

TEST_F(CastLoaders, TheCollisionBoxIsClampedToTheSheetNotTheFrame) {
  struct Case {
    const char* box;  // empty: no key
    std::array<int, 4> expected;
  };
  const std::vector<Case> cases = {{"-5, 3, 300, 100", {0, 3, 255, 100}},
                                   {"2, 2, 256, 128", {2, 2, 256, 128}},
                                   {"", {1, 1, 254, 126}},
                                   {"4, 5, 6", {4, 5, 6, 0}}};
  std::string ini;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    ini += "[other_sprite_" + std::to_string(i + 1) + "]\nsprite_bmp=sheet.bmp\nsprite_frame_width=64\n" +
           "sprite_frame_height=64\n" +
           (*cases[i].box ? std::string("sprite_collision_box=") + cases[i].box + "\n" : "");
  }
  WriteIni("other_units.ini", ini);
  ASSERT_TRUE(cast::LoadSpriteDefinitions(*engine_, cast::kKindOther));
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(config_.tables.spriteDefs[i + 1].collisionBox, cases[i].expected) << cases[i].box;
  }
}

TEST_F(CastLoaders, PlayersArePlacedByTheirOwnMapObjectAndGetTheirDefaults) {
  PlaceOnMap(config::kLayerUnitsPlayers, 2, 640, 320);
  PlaceOnMap(config::kLayerUnitsBots, 5, 900, 900);  // another layer never places a player
  WriteIni("player_characters_units.ini",
           PlayerSprite(1) +
               "[player_unit_2]\nunit_sprite=1\nunit_name=Two\nunit_position=500, 400\n"
               "[player_unit_5]\nunit_sprite=1\nunit_name=Five\nunit_position=500, 400\n"
               "[player_unit_6]\nunit_sprite=1\nunit_name=Six\nunit_position=0, 400\nunit_respawn=0\n"
               "unit_health_level=0\n"
               "[player_unit_7]\nunit_sprite=1\nunit_name=Capitán Ñoño\nunit_position=8191, 8192\n"
               "unit_respawn=-20\nunit_health_level=250\nunit_selectable=false\nunit_speed=-9\n");
  ASSERT_TRUE(cast::LoadSpriteDefinitions(*engine_, cast::kKindPlayer));
  ASSERT_TRUE(cast::LoadUnitDefinitions(*engine_, cast::kKindPlayer)) << Transcript();
  EXPECT_EQ(Unit("Two")->Position(), (units::Point{640, 320}));
  EXPECT_EQ(Unit("Two")->spawn, (units::Point{640, 320}));
  EXPECT_EQ(Unit("Five")->Position(), (units::Point{500, 400}));
  // Position, respawn time and flag, health and its maximum, and the player's defaults.
  const CGameUnit* six = Unit("Six");
  EXPECT_EQ(std::make_tuple(six->Position(), six->respawnTime, six->respawnEnabled, six->Health(), six->MaxHealth()),
            std::make_tuple(units::Point{100, 100}, 5000, true, 1, 1));
  EXPECT_TRUE(six->selectable && six->attackFire && six->attackSword && six->isPlayer);
  EXPECT_EQ(six->Animations().size(), 8u);
  const CGameUnit* seven = Unit("Capitan_\xD1ono");
  EXPECT_EQ(seven->DisplayName(), "Capit\xE1n \xD1o\xF1o");
  EXPECT_EQ(std::make_tuple(seven->Position(), seven->respawnTime, seven->Health(), seven->selectable, seven->Speed()),
            std::make_tuple(units::Point{100, 100}, 5000, 100, false, units::Point{9, 9}));
  EXPECT_EQ(engine_->PlayerCount(), 4);
  EXPECT_EQ(engine_->PlayerAt(0), Unit("Two"));
}

TEST_F(CastLoaders, ABotRoamsItsZoneFromLimitsOrAZonesObjectWithinTheMapMargins) {
  PlaceOnMap(config::kLayerZones, 3, 2000, 1500, 400, 300);
  PlaceOnMap(config::kLayerZones, 4, 20, 30, 9000, 9000);
  struct Case {
    const char* keys;
    std::array<int, 4> zone;
  };
  const std::vector<Case> cases = {
      {"unit_position=1000, 1000\n", {700, 700, 1300, 1300}},
      {"unit_position=1000, 1000\nunit_move_zone_limits=50, 100, 150, 200\n", {950, 850, 1100, 1200}},
      {"unit_position=150, 150\n", {100, 100, 450, 450}},
      {"unit_position=1000, 1000\nunit_move_zone_number=3\n", {2000, 1500, 2400, 1800}},
      {"unit_position=1000, 1000\nunit_move_zone_number=7\nunit_move_zone_limits=10\n", {990, 1000, 1000, 1000}},
      {"unit_position=1000, 1000\nunit_move_zone_number=4\n", {100, 100, 8092, 8092}},
      {"unit_position=8000, 8000\n", {7700, 7700, 8092, 8092}},
  };
  std::string ini = PlayerSprite(1);
  ini.replace(ini.find("player_character_sprite_1"), 25, "bot_character_sprite_1");
  for (std::size_t i = 0; i < cases.size(); ++i) {
    ini += "[bot_unit_" + std::to_string(i + 1) + "]\nunit_sprite=1\nunit_name=b" + std::to_string(i + 1) + "\n" +
           cases[i].keys;
  }
  ini +=
      "[bot_unit_20]\nunit_sprite=1\nunit_name=tuned\nunit_move_type=STATIC\nunit_attack_sword_random=0\n"
      "unit_attack_fire_random=25\nunit_max_distance_player=3\nunit_attack_fire_distance_player=99\n"
      "unit_vision_distance_player=-1\nunit_health_level=-4\nunit_return_player_fire=true\n";
  WriteIni("bots_characters_units.ini", ini);
  ASSERT_TRUE(cast::LoadSpriteDefinitions(*engine_, cast::kKindBot));
  ASSERT_TRUE(cast::LoadUnitDefinitions(*engine_, cast::kKindBot)) << Transcript();
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(Zone(*Unit(("b" + std::to_string(i + 1)).c_str())), cases[i].zone) << cases[i].keys;
  }
  // Move type, the two random rates, the three distances and the health, each clamped.
  const CGameUnit* tuned = Unit("tuned");
  EXPECT_EQ(tuned->moveType, units::MoveType::Static);
  EXPECT_EQ((std::array{tuned->swordRandom, tuned->fireRandom, tuned->maxDistance, tuned->fireDistance,
                        tuned->visionDistance, tuned->Health()}),
            (std::array{1, 10, 10, 100, 0, 1}));
  EXPECT_TRUE(tuned->returnFire && tuned->isBot && !tuned->selectable && !tuned->respawnEnabled);
  EXPECT_EQ(Unit("b1")->moveType, units::MoveType::Wander);
  EXPECT_EQ(engine_->PlayerCount(), 0);
}

TEST_F(CastLoaders, AnOtherUnitsEmptyBoxIsWrittenBackIntoItsSharedSpriteAndOneFrameMeansNoAnimation) {
  WriteIni("other_units.ini",
           "[other_sprite_1]\nsprite_bmp=sheet.bmp\nsprite_collision_box=0, 0, 0, 1\nsprite_frame_width=64\n"
           "sprite_frame_height=64\nsprite_number_frames=8\n"
           "[other_sprite_2]\nsprite_bmp=sheet.bmp\n"
           "[other_unit_1]\nunit_sprite=1\nunit_name=a\nunit_description=Line one\\nline two\n"
           "[other_unit_2]\nunit_sprite=1\nunit_name=b\nunit_health_level=0\n"
           "[other_unit_3]\nunit_sprite=2\nunit_name=c\n");
  ASSERT_TRUE(cast::LoadSpriteDefinitions(*engine_, cast::kKindOther));
  ASSERT_TRUE(cast::LoadUnitDefinitions(*engine_, cast::kKindOther)) << Transcript();
  EXPECT_EQ(config_.tables.spriteDefs[1].collisionBox, (std::array<int, 4>{0, 0, 0, 0}));
  EXPECT_EQ(Box(*Unit("a")), (std::array<int, 4>{0, 0, 0, 0}));
  EXPECT_EQ(Box(*Unit("b")), (std::array<int, 4>{0, 0, 0, 0}));
  EXPECT_EQ(Unit("a")->AnimationName(), "Default");
  EXPECT_EQ(Unit("a")->Animations().at(0).last, 7);
  EXPECT_EQ(Unit("a")->description, "Line one\\nline two");
  EXPECT_EQ(Unit("a")->KindCode(), kUnitKindOther);
  EXPECT_EQ(Unit("a")->Health(), 0);
  EXPECT_TRUE(Unit("c")->Animations().empty());
  EXPECT_EQ(Box(*Unit("c")), (std::array<int, 4>{1, 1, 254, 126}));
}

TEST_F(CastLoaders, ObjectsAndPickUpsTakeTheirKindsDefaultsAndClamps) {
  PlaceOnMap(config::kLayerUnitsObjects, 5, 1200, 800);
  WriteIni("objects_units.ini",
           "[object_inventory_1]\nobject_name=Key\nobject_icon=icon.bmp\nobject_number_uses_pickup=0\n"
           "object_sprite_bmp=thing.bmp\nobject_sprite_frame_width=32\nobject_sprite_number_frames=4\n"
           "object_sprite_animation_time=-5\nobject_decrease_uses=FALSE\n"
           "[object_inventory_2]\nobject_name=Many\nobject_icon=icon.bmp\nobject_number_uses_pickup=150\n"
           "object_sprite_bmp=icon.bmp\n"
           "[object_inventory_3]\nobject_name=Plain\nobject_icon=icon.bmp\n"
           "[object_unit_1]\nunit_object_inventory=0\nunit_object_autouse=ammo_kit\nunit_name=ammo\n"
           "[object_unit_2]\nunit_object_inventory=-3\nunit_object_autouse=medkit\nunit_name=med\n"
           "[object_unit_3]\nunit_object_inventory=1\nunit_name=key\nunit_position=300, 200\n"
           "[object_unit_4]\nunit_object_inventory=2\nunit_name=many\nunit_respawn=5000\nunit_visible=false\n"
           "[object_unit_5]\nunit_object_inventory=two\nunit_object_autouse=HEALTH_KIT\nunit_name=placed\n"
           "unit_position=300, 200\n");
  ASSERT_TRUE(cast::LoadSystemSprites(*engine_));
  ASSERT_TRUE(cast::LoadObjectDefinitions(*engine_)) << Transcript();
  ASSERT_TRUE(cast::LoadUnitObjects(*engine_)) << Transcript();
  const auto& objects = config_.tables.objects;
  EXPECT_EQ(objects[1].numberOfUses, 1);
  EXPECT_EQ(objects[2].numberOfUses, 99);
  EXPECT_FALSE(objects[1].decreaseUses);
  EXPECT_TRUE(objects[2].decreaseUses);
  EXPECT_EQ(objects[1].spriteFrameWidth, 32);
  EXPECT_EQ(objects[1].spriteAnimationTime, 0);
  EXPECT_EQ(objects[3].sprite, nullptr);
  struct Expect {
    const char* name;
    int autouse, object, respawn;
    bool enabled;
    units::Point position;
  };
  for (const Expect& e : std::vector<Expect>{{"ammo", 2, 0, 60000, true, {100, 100}},
                                             {"med", 1, 0, 60000, true, {100, 100}},
                                             {"key", 3, 1, 0, false, {300, 200}},
                                             {"many", 3, 2, 5000, true, {100, 100}},
                                             {"placed", 1, 0, 60000, true, {1200, 800}}}) {
    SCOPED_TRACE(e.name);
    const CGameUnit* unit = Unit(e.name);
    EXPECT_EQ(unit->autouseType, e.autouse);
    EXPECT_EQ(unit->objectNumber, e.object);
    EXPECT_EQ(unit->respawnTime, e.respawn);
    EXPECT_EQ(unit->respawnEnabled, e.enabled);
    EXPECT_EQ(unit->Position(), e.position);
    EXPECT_EQ(unit->respawnEffect != nullptr, e.enabled);
  }
  EXPECT_EQ(Box(*Unit("ammo")), (std::array<int, 4>{1, 1, 30, 30}));
  EXPECT_EQ(Box(*Unit("key")), (std::array<int, 4>{1, 1, 30, 30}));
  EXPECT_EQ(Unit("ammo")->Sprite(), config_.tables.ammoKitSprite);
  EXPECT_EQ(Unit("med")->Sprite(), config_.tables.healthKitSprite);
  EXPECT_EQ(Unit("key")->AnimationName(), "Default");
  EXPECT_TRUE(Unit("many")->Animations().empty());
  EXPECT_FALSE(Unit("many")->IsVisible());
}

TEST_F(CastLoaders, CharactersGetTheirAttachedUnitsRegisteredBeforeThem) {
  WriteIni("player_characters_units.ini", PlayerSprite(1) + "[player_unit_1]\nunit_sprite=1\nunit_name=Hero\n");
  ASSERT_TRUE(cast::LoadSpriteDefinitions(*engine_, cast::kKindPlayer));
  ASSERT_TRUE(cast::LoadUnitDefinitions(*engine_, cast::kKindPlayer));
  const CGameUnit* hero = Unit("Hero");
  for (const CGameUnit* attached : {hero->projectile, hero->explosionEffect, hero->swordEffect, hero->respawnEffect}) {
    ASSERT_NE(attached, nullptr);
    EXPECT_FALSE(attached->IsVisible());
  }
  EXPECT_TRUE(hero->projectile->isProjectile);
  EXPECT_EQ(hero->projectile->Animations().size(), 8u);
  EXPECT_EQ(hero->swordEffect->FrameWidth(), 81);  // square frames of the sheet's height
  EXPECT_EQ(hero->respawnEffect->FrameWidth(), 63);
  EXPECT_EQ(hero->respawnEffect->Position(), hero->Position());
  // Attached units go into the table before their owner; sheets are shared between characters.
  EXPECT_EQ(engine_->UnitCount(), 5);
  EXPECT_EQ(engine_->UnitAt(4), hero);
}

TEST_F(CastLoaders, FileNamesMayStepUpButNeverLeaveTheProject) {
  dir_.Write("outside.bmp", SolidBmp(64, 64));
  struct Case {
    const char* sheet;
    bool loads;
  };
  for (const Case& c : std::vector<Case>{{"..\\Sprites_characters_units\\sheet.bmp", true},
                                         {"../../Graphics/./Sprites_characters_units/sheet.bmp", true},
                                         {"..\\..\\..\\..\\outside.bmp", false}}) {
    SCOPED_TRACE(c.sheet);
    std::string section = PlayerSprite(1);
    section.replace(section.find("sheet.bmp"), 9, c.sheet);
    WriteIni("player_characters_units.ini", section);
    EXPECT_EQ(cast::LoadSpriteDefinitions(*engine_, cast::kKindPlayer), c.loads);
    if (!c.loads) {
      EXPECT_TRUE(
          TranscriptHas(std::string("Sprite file '") + "Projects\\\\P\\\\Graphics\\\\Sprites_characters_units\\\\"))
          << Transcript();
    }
  }
}

TEST_F(CastLoaders, BinaryGarbageAndAMissingFinalNewlineAreReadByTheIniRules) {
  static const char kBytes[] =
      "\x00\x01\xFF\xFE\x80garbage\r\n[object_unit_1\r\nunit_object_inventory=1\r\n"
      "[object_inventory_1]\r\n\x00=\x01\r\nobject_name=K\xE9y\r\n\xFF\xFE junk without equals\r\n"
      "object_icon=icon.bmp";
  const std::string bytes(kBytes, sizeof(kBytes) - 1);
  dir_.Write(std::string(kDataFolder) + "objects_units.ini", bytes);
  platform::ClearIniCache();
  // The icon of the last line, without a line end, still belongs to its section.
  ASSERT_TRUE(cast::LoadObjectDefinitions(*engine_)) << Transcript();
  const config::ObjectDefinition& key = config_.tables.objects[1];
  EXPECT_TRUE(key.defined);
  EXPECT_EQ(key.name, "K\xE9y");
  ASSERT_NE(key.icon, nullptr);
  EXPECT_EQ(key.icon->GetWidth(), 32);
  // The unclosed section header still names its section; its object has no sprite.
  EXPECT_FALSE(cast::LoadUnitObjects(*engine_));
  EXPECT_TRUE(TranscriptHas("The sprite of object number 1 is not defined")) << Transcript();
}

TEST_F(CastLoaders, EventScriptsThatExistAreLoadedAndKeptUnderTheirFileNames) {
  scripts_->Reset();
  dir_.Write("Projects/P/Scripts/open.txt", "SLEEP 10\r\n");
  dir_.Write("Projects/P/Scripts/fall.txt", "");
  WriteIni("other_units.ini",
           "[other_sprite_1]\nsprite_bmp=sheet.bmp\n"
           "[other_unit_1]\nunit_sprite=1\nunit_name=door\nunit_event_player_collision_action_yes_script=open.txt\n"
           "unit_event_death_script=fall.txt\n"
           "[other_unit_2]\nunit_sprite=1\nunit_name=gate\nunit_event_player_projectile_collision_script=shut.txt\n");
  ASSERT_TRUE(cast::LoadSpriteDefinitions(*engine_, cast::kKindOther));
  EXPECT_FALSE(cast::LoadUnitDefinitions(*engine_, cast::kKindOther));
  EXPECT_EQ(RegisteredScriptNames(), (std::vector<std::string>{"open.txt", "fall.txt"}));
  EXPECT_EQ(Unit("door")->collisionYesScript, "open.txt");
  EXPECT_EQ(Unit("door")->deathScript, "fall.txt");
  EXPECT_EQ(engine_->FindUnitByName("gate"), nullptr);
  // The script's own box, and no second one from the loader.
  EXPECT_EQ(Transcript().find("Fatal error"), std::string::npos) << Transcript();
  EXPECT_TRUE(TranscriptHas("caption=\"Script not found\"")) << Transcript();

  // A file past the script bounds stops the loader as a missing one does, with its own box.
  scripts_->Reset();
  dir_.Write("Projects/P/Scripts/huge.txt", std::string(script::kMaxScriptLines, '\n') + "EXIT");
  WriteIni("other_units.ini",
           "[other_sprite_1]\nsprite_bmp=sheet.bmp\n"
           "[other_unit_1]\nunit_sprite=1\nunit_name=door\nunit_event_death_script=huge.txt\n");
  ASSERT_TRUE(cast::LoadSpriteDefinitions(*engine_, cast::kKindOther));
  EXPECT_FALSE(cast::LoadUnitDefinitions(*engine_, cast::kKindOther));
  EXPECT_TRUE(RegisteredScriptNames().empty());
  EXPECT_TRUE(TranscriptHas("caption=\"Script too large\"")) << Transcript();
  EXPECT_TRUE(TranscriptHas("huge.txt' is too large: a script may hold at most 200000 lines and 4194304 bytes."))
      << Transcript();
  scripts_->Reset();
}

TEST(ObjectLookup, FoldingMatchesTheIdentifierFormAndOnlyUsableObjectsCount) {
  config::GameTables tables;
  auto& objects = tables.objects;
  objects[2].defined = true;
  objects[2].numberOfUses = 1;
  objects[2].name = "Llave del Caf\xE9 viejo";
  objects[3].defined = true;
  objects[3].numberOfUses = 0;  // used up: never found
  objects[3].name = "Rope";
  objects[4].defined = true;
  objects[4].numberOfUses = 2;
  objects[4].name = "rope";
  EXPECT_EQ(config::FindObjectByName(tables, "LLAVE_DEL_CAFE_VIEJO", true), 2);
  EXPECT_EQ(config::FindObjectByName(tables, "LLAVE_DEL_CAFE_VIEJO", false), 0);
  EXPECT_EQ(config::FindObjectByName(tables, "llave del caf\xC9 viejo", false), 2);  // accented capitals fold too
  EXPECT_EQ(config::FindObjectByName(tables, "ROPE", false), 4);
  EXPECT_EQ(config::FindObjectByName(tables, "", false), 0);
}

}  // namespace
