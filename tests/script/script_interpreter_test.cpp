// Real scripts run line by line: how values read, variables, blocks and the resume stack, every
// unit property, and the commands that act on units, inventories and the image dialog.
#include <gtest/gtest.h>

#include <string>

#include "config/game_tables.h"
#include "config/launcher_settings.h"
#include "engine/orvanta_engine.h"
#include "gfx/bitmap_surface.h"
#include "script/script_unit_fields.h"
#include "script_world.h"
#include "support/random_bytes.h"

namespace {

using nlohmann::json;
using testing_support::ScriptWorld;

class Interpreter : public ScriptWorld {
 protected:
  // Runs each script on fresh variables and compares the variables it leaves.
  void ExpectVariables(const std::vector<std::pair<std::string, json>>& cases) {
    for (const auto& [text, expected] : cases) {
      scripts_->Reset();
      RunNow(text);
      EXPECT_EQ(Variables(), expected) << text;
    }
  }
};

TEST_F(Interpreter, SetClassifiesValuesAndKeepsEachVariablesKind) {
  ExpectVariables({
      {"SET count = +1", {{"count", 1}}},  // a new variable set with +n holds n
      {"SET count = -5", {{"count", 5}}},
      {"SET count = 3\nSET count = +2\nSET count = -10", {{"count", -5}}},
      {"SET n = 12abc", {{"n", 12}}},
      {"SET flag = true\nSET other = FaLsE", {{"flag", true}, {"other", false}}},
      {"SET name = guard\nSET quoted = \"Open the gate\"", {{"name", "guard"}, {"quoted", "Open the gate"}}},
      {"SET t = \"TRUE\"", {{"t", "TRUE"}}},  // quoted: text
      // Another kind later changes nothing.
      {"SET n = 4\nSET n = TRUE\nSET n = word", {{"n", 4}}},
      {"SET t = word\nSET t = 9\nSET t = FALSE\nSET t = other", {{"t", "other"}}},
      // Names are case-sensitive; an empty value or a dotted one creates nothing.
      {"SET a = 1\nSET A = 2", {{"A", 2}, {"a", 1}}},
      {"SET a =\nSET b = hero.HEALTH", json::object()},
      {"SET big = 2147483647\nSET big = +1", {{"big", -2147483648LL}}},
  });
}

TEST_F(Interpreter, TheTableHolds256Variables) {
  std::string text;
  for (int i = 0; i <= 256; ++i) text += "SET v" + std::to_string(i) + " = " + std::to_string(i) + "\n";
  text += "SET v0 = +1\n";  // existing variables still change
  RunNow(text);
  const json variables = Variables();
  EXPECT_EQ(variables.size(), 256u);
  EXPECT_FALSE(variables.contains("v256"));
  EXPECT_EQ(variables["v0"], 1);
  EXPECT_EQ(variables["v255"], 255);
}

TEST_F(Interpreter, ComparisonsOfIntegerAndBooleanVariables) {
  // Which parts of IF ... ELSE ... ENDIF run. A test that cannot be made takes no branch: the body
  // runs as plain lines, then the ELSE finds an empty stack and the else part runs too.
  const std::pair<const char*, const char*> cases[] = {
      {"n >= 5", "then"},
      {"n <= 5", "then"},
      {"n > 5", "else"},
      {"n < 6", "then"},
      {"n != 5", "else"},
      {"n = m", "else"},
      {"n < m", "then"},
      {"n = +5", "then"},
      {"n > -1", "then"},
      {"n = TRUE", "else"},
      {"n =< 5", "else"},
      {"n == 5", "else"},  // TRUE reads 0; an unknown operator: false
      {"yes = TRUE", "then"},
      {"yes = no", "else"},
      {"yes != TRUE", "then"},  // booleans compare equal
      {"no = FALSE", "then"},
      {"yes = test_unit_1.ISMOVING", "else"},
      {"missing = 1", "both"},
      {"word = word", "both"},
      {"nobody.ISMOVING = TRUE", "both"},
      {"test_unit_1.HEALTH = TRUE", "both"},
  };
  AddUnits({{100, 100}});
  for (const auto& [test, parts] : cases) {
    scripts_->Reset();
    RunNow(std::string("SET n = 5\nSET m = 7\nSET yes = TRUE\nSET no = FALSE\nSET word = text\nIF ") + test +
           "\nSET then = 1\nELSE\nSET else = 1\nENDIF\nSET after = 1");
    const json variables = Variables();
    const bool then = variables.contains("then"), otherwise = variables.contains("else");
    EXPECT_EQ(then && otherwise ? "both" : then ? "then" : otherwise ? "else" : "none", std::string(parts)) << test;
    EXPECT_TRUE(variables.contains("after")) << test;
  }
}

TEST_F(Interpreter, BlocksNestAndLoopsRunEachBodyLineOncePerPass) {
  ExpectVariables({
      // A false IF without ELSE inside a WHILE leaves the loop running normally.
      {"SET i = 0\nSET body = 0\nWHILE i < 3\nSET i = +1\nIF i = 10\nSET never = 1\nENDIF\nSET body = +1\nENDWHILE",
       {{"i", 3}, {"body", 3}}},
      {"SET i = 0\nSET odd = 0\nWHILE i < 4\nSET i = +1\nSET r = FALSE\nIF i = 1\nSET r = TRUE\nELSE\nIF i = 3\n"
       "SET r = TRUE\nENDIF\nENDIF\nIF r = TRUE\nSET odd = +1\nENDIF\nENDWHILE",
       {{"i", 4}, {"odd", 2}, {"r", false}}},
      {"SET i = 0\nSET total = 0\nWHILE i < 3\nSET i = +1\nSET j = 0\nWHILE j < i\nSET j = +1\nSET total = +1\n"
       "ENDWHILE\nENDWHILE",
       {{"i", 3}, {"j", 3}, {"total", 6}}},
      {"SET i = 5\nWHILE i < 3\nSET never = 1\nENDWHILE\nSET after = 1", {{"i", 5}, {"after", 1}}},
      {"IF x = 1\nTHEN\n// nothing\nENDIF\nSET after = 1", {{"after", 1}}},
      {"SET i = 0\nWHILE i < 10\nSET i = +1\nIF i = 3\nEXIT\nENDIF\nENDWHILE\nSET after = 1", {{"i", 3}}},
      {"ENDIF\nELSE\nENDWHILE\nSET after = 1", {{"after", 1}}},  // an empty stack: nothing
  });
}

TEST_F(Interpreter, TheResumeStackHolds256OpenBlocksAndADeeperOneEndsTheRun) {
  for (const int depth : {256, 257}) {
    scripts_->Reset();
    std::string text = "SET t = 1\n";
    for (int i = 0; i < depth; ++i) text += "IF t = 1\n";
    text += "SET inner = 1\n";
    for (int i = 0; i < depth; ++i) text += "ENDIF\n";
    text += "SET after = 1\n";
    RunNow(text);
    EXPECT_EQ(Variables().contains("after"), depth == 256) << depth;
    EXPECT_EQ(Variables().contains("inner"), depth == 256) << depth;
  }
}

TEST_F(Interpreter, EveryUnitPropertyIsWrittenThroughAScriptAndWrongKindsChangeNothing) {
  AddUnits({{100, 200}});
  CGameUnit& unit = Unit(1);
  std::string text;
  for (const char* set :
       {"POSITIONX = 300", "POSITIONY = 400", "DESTINATIONX = 500", "DESTINATIONY = 600", "SPEEDX = 7", "speedy = 9",
        "HEALTH = 250", "SELECTED = TRUE", "ANIMATIONTIME = 55", "MESSAGE = \"2\\nlines\"", "MESSAGETIME = 3000",
        "VISIBLE = FALSE", "ISMOVING = TRUE", "ISEVENTCOLLISION = TRUE",
        // Values of the wrong kind, a dotted value, a unit in other case: nothing.
        "SPEEDX = -3", "HEALTH = lots", "MESSAGE = 5", "SELECTED = 1", "POSITIONX = +50", "VISIBLE = yes",
        "HEALTH = test_unit_1.HEALTH", "NOSUCH = 1"}) {
    text += std::string("SET test_unit_1.") + set + "\n";
  }
  RunNow(text + "SET Test_unit_1.POSITIONY = 0\n");
  engine::WorldLock lock(engine_->Lock());
  EXPECT_EQ(unit.Position(), (units::Point{300, 400}));
  EXPECT_EQ(unit.moveTarget, (units::Point{500, 600}));
  EXPECT_EQ(unit.Speed(), (units::Point{7, 9}));
  EXPECT_EQ(unit.Health(), 100);
  EXPECT_TRUE(unit.selected);
  EXPECT_EQ(unit.AnimationState().time, 55);
  EXPECT_EQ(unit.bubbleText, "2\nlines");
  EXPECT_GT(unit.bubbleTextHeight, 0);
  EXPECT_EQ(scripts_->World().unitFields.Peek(&unit).messageTime, 3000);
  EXPECT_FALSE(unit.IsVisible());
  EXPECT_FALSE(unit.moving);  // read-only
  EXPECT_FALSE(scripts_->World().unitFields.Peek(&unit).eventCollision);
}

TEST_F(Interpreter, ScriptedDeselectsAndAnotherPropertyOnTheRightReadsFalse) {
  AddUnits({{100, 200}, {300, 200}});
  Unit(1).selected = true;
  Unit(2).moving = true;
  scripts_->World().unitFields.Of(&Unit(1)).eventCollision = true;
  RunNow(
      "SET test_unit_1.SCRIPTED = TRUE\n"
      "IF test_unit_2.ISMOVING = test_unit_1.ISEVENTCOLLISION\nSET cross = TRUE\nELSE\nSET cross = FALSE\nENDIF\n");
  EXPECT_TRUE(Unit(1).scripted);
  EXPECT_FALSE(Unit(1).selected);
  EXPECT_EQ(Variables(), json({{"cross", false}}));
}

TEST_F(Interpreter, MoveShowAndHide) {
  AddUnits({{100, 200}});
  CGameUnit& unit = Unit(1);
  RunNow(
      "SET test_unit_1.DESTINATIONX = 400\nSET test_unit_1.MESSAGETIME = 1500\nSET test_unit_1.MESSAGE = Hi\n"
      "MOVE_UNIT test_unit_1\nSHOW test_unit_1.MESSAGE\nMOVE_UNIT nobody\nSHOW nobody.MESSAGE");
  EXPECT_TRUE(unit.moving);
  EXPECT_EQ(unit.Destination().x, 400);
  EXPECT_TRUE(unit.bubbleShown);
  EXPECT_EQ(unit.messageUntil, platform::Get().TickCount() + 1500);
  RunNow("HIDE test_unit_1.MESSAGE");
  EXPECT_FALSE(unit.bubbleShown);
  EXPECT_EQ(unit.messageUntil, 0u);
  // A new message shown again is drawn and told again, like any bubble a unit shows.
  unit.bubbleNoted = true;
  unit.bubbleDirty = false;
  RunNow("SET test_unit_1.MESSAGE = Bye\nSHOW test_unit_1.MESSAGE");
  EXPECT_FALSE(unit.bubbleNoted);
  EXPECT_TRUE(unit.bubbleDirty);
}

TEST_F(Interpreter, InventoryCommandsAndCheckPointActOnTheOwner) {
  AddUnits({{100, 200}});
  CGameUnit& owner = Unit(1);
  owner.SetPosition({640, 320});
  config::ObjectDefinition& key = config_.tables.objects[3];
  key.defined = true;
  key.name = "Llave de hierro \xF1";  // "ñ" in Windows-1252
  key.numberOfUses = 2;
  const std::string script =
      "ADD_INVENTORY_OBJECT LLAVE_de_hierro_n\nGET_INVENTORY_OBJECT llave_de_hierro_n,held\n"
      "SUB_USE_INVENTORY_OBJECT llave_de_hierro_n\nGET_INVENTORY_OBJECT llave_de_hierro_n,after\n"
      "ADD_INVENTORY_OBJECT unknown_thing\nGET_INVENTORY_OBJECT llave_de_hierro_n\nCHECK_POINT\n";
  RunNow(script);  // no owner: nothing
  EXPECT_EQ(Variables(), json::object());
  EXPECT_EQ(owner.spawn, (units::Point{100, 200}));
  RunNow(script, &owner);
  EXPECT_EQ(Variables(), json({{"held", 2}, {"after", 1}}));
  EXPECT_EQ(owner.inventory[1].object, 3);
  EXPECT_EQ(owner.inventory[1].count, 1);
  EXPECT_EQ(owner.spawn, (units::Point{640, 320}));
  EXPECT_NE(Transcript().find("sound \\pickup_object.wav"), std::string::npos) << Transcript();
  EXPECT_NE(Transcript().find("sound \\checkpoint.wav"), std::string::npos);
}

TEST_F(Interpreter, ShowImageCentresAValidPictureAndHidesTheDialogOtherwise) {
  config_.launcher.folders[config::kFolderImages] = "Images";
  config_.launcher.windowWidth = 1000;
  config_.launcher.windowHeight = 800;
  CBitmapSurface picture;
  picture.Create(100, 50);
  std::filesystem::create_directories(dir_ / "Images");
  ASSERT_TRUE(picture.SaveFile("Images\\map.bmp"));
  dir_.Write("Images/broken.bmp", "BM not a picture");
  RunNow("SHOW_IMAGE map.bmp");
  EXPECT_TRUE(engine_->ImageDialogShown());
  RunNow("SHOW_IMAGE broken.bmp");
  EXPECT_FALSE(engine_->ImageDialogShown());
}

TEST_F(Interpreter, BinaryGarbageRunsWithoutHarm) {
  const std::string text = testing_support::RandomBytes(7, 200000) + "\nSET survived = TRUE\n";
  RunNow(text);
  EXPECT_EQ(Variables()["survived"], true);
}

}  // namespace
