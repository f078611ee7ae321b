// Which lines a script keeps, and what the kept line records hold.
#include <gtest/gtest.h>

#include <string>

#include "script/script_line_parser.h"

namespace {

using script::CompareOperator;
using script::ParseScriptLine;
using script::ScriptCommand;
using script::UnitProperty;

TEST(ScriptParser, EachCommandKeepsOrRejectsItsShapes) {
  const struct {
    const char* text;
    bool kept;
    ScriptCommand command;  // of a kept line
  } cases[] = {
      {"SET steps = 0", true, ScriptCommand::Set},
      {"Set steps = 0 and more", true, ScriptCommand::Set},
      {"SET steps =", true, ScriptCommand::Set},  // empty value: does nothing when run
      {"SET steps", false, ScriptCommand::None},
      {"if n >=", true, ScriptCommand::If},
      {"IF n", false, ScriptCommand::None},
      {"WHILE steps < 3", true, ScriptCommand::While},
      {"While steps", false, ScriptCommand::None},
      {"SLEEP", true, ScriptCommand::Sleep},  // one-argument commands: with or without it
      {"MOVE_UNIT guard", true, ScriptCommand::MoveUnit},
      {"SHOW_IMAGE map.bmp extra", true, ScriptCommand::ShowImage},
      {"SET_MAP_TILE 3,4,1,1,17", true, ScriptCommand::SetMapTile},
      {"PLAY_SOUND door.wav", true, ScriptCommand::PlaySound},
      {"SET_CAMERA_POSITION 640,320", true, ScriptCommand::SetCameraPosition},
      {"HIDE hero.MESSAGE", true, ScriptCommand::Hide},
      {"SHOW", true, ScriptCommand::Show},
      {"SHOW hero", false, ScriptCommand::None},
      {"HIDE hero x.MESSAGE", false, ScriptCommand::None},
      {"CHECK_POINT", true, ScriptCommand::CheckPoint},
      {"CHECK_POINT now", false, ScriptCommand::None},
      {"EXIT now", true, ScriptCommand::Exit},
      {"THEN", true, ScriptCommand::Then},
      {"ELSE whatever", true, ScriptCommand::Else},
      {"endif", true, ScriptCommand::EndIf},
      {"ENDWHILE x y", true, ScriptCommand::EndWhile},
      {"//", true, ScriptCommand::Comment},
      {"//comment", false, ScriptCommand::None},
      {"MOVEUNIT guard", false, ScriptCommand::None},
      {"\xE9SET a = 1", false, ScriptCommand::None},
  };
  for (const auto& c : cases) {
    auto parsed = ParseScriptLine(c.text);
    EXPECT_EQ(parsed.kept, c.kept) << c.text;
    EXPECT_EQ(parsed.line.command, c.kept ? c.command : ScriptCommand::None) << c.text;
    EXPECT_EQ(parsed.rejection.empty(), c.kept) << c.text;
  }
  for (const char* blank : {"", "\t \t"}) {  // neither kept nor rejected
    EXPECT_FALSE(ParseScriptLine(blank).kept);
    EXPECT_TRUE(ParseScriptLine(blank).rejection.empty());
  }
}

TEST(ScriptParser, OperandsSplitAtTheFirstDotAndArgumentsAreWholeWords) {
  auto set = ParseScriptLine("  SET Hero.health = 250").line;
  EXPECT_TRUE(set.leftDotted);
  EXPECT_EQ(set.leftUnitName(), "Hero");  // unit names keep their case
  EXPECT_EQ(set.leftProperty, UnitProperty::Health);
  EXPECT_EQ(set.value(), "250");
  EXPECT_FALSE(set.rightDotted);

  auto test = ParseScriptLine("IF hero.ISMOVING = guard.is.moving").line;
  EXPECT_TRUE(test.rightDotted);
  EXPECT_EQ(test.rightUnitName(), "guard");
  EXPECT_EQ(test.rightPropertyName(), "is.moving");
  EXPECT_EQ(test.rightProperty, UnitProperty::Unknown);

  auto plain = ParseScriptLine("WHILE steps\t<\t3").line;
  EXPECT_FALSE(plain.leftDotted);
  EXPECT_EQ(plain.argument(), "steps");
  EXPECT_EQ(plain.value(), "3");

  auto move = ParseScriptLine("MOVE_UNIT door.left").line;
  EXPECT_EQ(move.leftUnitName(), "door.left");  // not split
  EXPECT_FALSE(move.leftDotted);
  EXPECT_EQ(ParseScriptLine("SET_MAP_TILE 3,4,1,1,17 ignored").line.argument(), "3,4,1,1,17");
  EXPECT_EQ(ParseScriptLine("  //\tthe gate").line.comment(), "the gate");
}

TEST(ScriptParser, QuotedValuesRunToTheEndOfTheLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"SET hero.MESSAGE = \"Open the gate\"", "Open the gate"},
      {"SET hero.MESSAGE = \"Open the gate\" ", "Open the gate\""},  // the last character goes
      {"SET hero.MESSAGE = \"Stop.\\nNow\"", "Stop.\\nNow"},         // no split, no escapes here
      {"SET hero.MESSAGE = \"", ""},
      {"SET a\"b = \"x\"", "b = \"x"},  // from the line's first quote
  };
  for (const auto& [text, value] : cases) {
    auto parsed = ParseScriptLine(text);
    EXPECT_TRUE(parsed.line.valueQuoted) << text;
    EXPECT_EQ(parsed.line.value(), value) << text;
  }
  // Only SET values are quoted; a test's right operand is one word.
  EXPECT_EQ(ParseScriptLine("IF name = \"a b\"").line.value(), "\"a");
}

TEST(ScriptParser, RejectionsSayWhatIsWrong) {
  const std::pair<std::string, std::string> cases[] = {
      {"FOO bar", "unknown command \"FOO\""},
      {"//x", "a comment needs a space after \"//\""},
      {"set a", "SET needs a target, an \"=\" and a value, as in: SET steps = 0"},
      {"while a", "WHILE needs a left operand, an operator and a right operand, as in: WHILE steps < 3"},
      {"hide x", "HIDE needs unit.MESSAGE, as in: HIDE guard.MESSAGE"},
      {"CHECK_POINT here", "CHECK_POINT must stand alone on its line"},
      {"\x01\x7F\xE9", "unknown command \"\\x01\\x7F\xE9\""},
      {std::string(100, 'A'), "unknown command \"" + std::string(40, 'A') + "...\""},
  };
  for (const auto& [text, reason] : cases) EXPECT_EQ(ParseScriptLine(text).rejection, reason);
}

TEST(ScriptParser, StoredTextsAreCutToTheirLimits) {
  const std::string big(10000, 'x');
  auto set = ParseScriptLine("SET " + big + ".HEALTH = " + big).line;
  EXPECT_EQ(set.leftUnitName().size(), script::kMaxTokenLength);
  EXPECT_EQ(set.leftProperty, UnitProperty::Health);
  EXPECT_EQ(set.value().size(), script::kMaxTokenLength);
  EXPECT_EQ(ParseScriptLine("SET hero.MESSAGE = \"" + big + "\"").line.value().size(), script::kMaxTokenLength);
  EXPECT_EQ(ParseScriptLine("// " + big).line.comment().size(), script::kMaxCommentLength);
  auto test = ParseScriptLine("IF " + big + " " + big + " " + big).line;
  EXPECT_EQ(test.operatorText().size(), script::kMaxTokenLength);
  EXPECT_EQ(test.op, CompareOperator::Unknown);
}

}  // namespace
