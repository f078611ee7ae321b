// Which lines a script keeps, and what the kept line records hold.
#include <gtest/gtest.h>

#include <string>

#include "script/script_line_parser.h"

namespace {

using script::CompareOperator;
using script::ParseScriptLine;
using script::ScriptCommand;
using script::UnitProperty;

struct ShapeCase {
  const char* text;
  bool kept;
  ScriptCommand command;  // of a kept line
};

void ExpectShapes(const std::vector<ShapeCase>& cases) {
  for (const auto& c : cases) {
    auto parsed = ParseScriptLine(c.text);
    EXPECT_EQ(parsed.kept, c.kept) << c.text;
    EXPECT_EQ(parsed.line.command, c.kept ? c.command : ScriptCommand::None) << c.text;
    EXPECT_EQ(parsed.rejection.empty(), c.kept) << c.text;
  }
}

TEST(ScriptParser, CommandsWithOperandsNeedAllThree) {
  ExpectShapes({
      {"SET steps = 0", true, ScriptCommand::Set},
      {"set steps = 0", true, ScriptCommand::Set},
      {"Set steps = 0 and more", true, ScriptCommand::Set},
      {"SET steps =", true, ScriptCommand::Set},  // empty value: does nothing when run
      {"SET steps", false, ScriptCommand::None},
      {"SET", false, ScriptCommand::None},
      {"IF n >= 5 THEN", true, ScriptCommand::If},
      {"if n >=", true, ScriptCommand::If},
      {"IF n", false, ScriptCommand::None},
      {"IF", false, ScriptCommand::None},
      {"WHILE steps < 3", true, ScriptCommand::While},
      {"While steps", false, ScriptCommand::None},
  });
}

TEST(ScriptParser, OneArgumentCommandsAreKeptWithOrWithoutTheirArgument) {
  ExpectShapes({
      {"SLEEP 2000", true, ScriptCommand::Sleep},
      {"SLEEP", true, ScriptCommand::Sleep},
      {"MOVE_UNIT guard", true, ScriptCommand::MoveUnit},
      {"MOVE_UNIT", true, ScriptCommand::MoveUnit},
      {"SHOW_IMAGE map.bmp extra", true, ScriptCommand::ShowImage},
      {"ADD_INVENTORY_OBJECT Brass_key", true, ScriptCommand::AddInventoryObject},
      {"SUB_USE_INVENTORY_OBJECT Brass_key", true, ScriptCommand::SubUseInventoryObject},
      {"GET_INVENTORY_OBJECT Brass_key,keys", true, ScriptCommand::GetInventoryObject},
      {"SET_MAP_TILE 3,4,1,1,17", true, ScriptCommand::SetMapTile},
      {"PLAY_SOUND door.wav", true, ScriptCommand::PlaySound},
      {"SET_CAMERA_POSITION 640,320", true, ScriptCommand::SetCameraPosition},
  });
}

TEST(ScriptParser, ShowHideCheckPointAndBlockWords) {
  ExpectShapes({
      {"SHOW hero.MESSAGE", true, ScriptCommand::Show},
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
      {"// a comment", true, ScriptCommand::Comment},
      {"//", true, ScriptCommand::Comment},
      {"//comment", false, ScriptCommand::None},
      {"MOVEUNIT guard", false, ScriptCommand::None},
      {"\xE9SET a = 1", false, ScriptCommand::None},
  });
}

TEST(ScriptParser, BlankLinesAreNeitherKeptNorRejected) {
  for (const char* text : {"", " ", "\t \t"}) {
    auto parsed = ParseScriptLine(text);
    EXPECT_FALSE(parsed.kept);
    EXPECT_TRUE(parsed.rejection.empty());
  }
}

TEST(ScriptParser, DottedOperandsSplitAtTheFirstDot) {
  auto set = ParseScriptLine("  SET Hero.health = 250").line;
  EXPECT_TRUE(set.leftDotted);
  EXPECT_EQ(set.leftUnitName, "Hero");  // unit names keep their case
  EXPECT_EQ(set.leftPropertyName, "health");
  EXPECT_EQ(set.leftProperty, UnitProperty::Health);
  EXPECT_EQ(set.argument, "");
  EXPECT_EQ(set.value, "250");
  EXPECT_FALSE(set.rightDotted);

  auto test = ParseScriptLine("IF hero.ISMOVING = guard.is.moving").line;
  EXPECT_TRUE(test.rightDotted);
  EXPECT_EQ(test.rightUnitName, "guard");
  EXPECT_EQ(test.rightPropertyName, "is.moving");
  EXPECT_EQ(test.rightProperty, UnitProperty::Unknown);
  EXPECT_EQ(test.value, "");

  auto plain = ParseScriptLine("WHILE steps\t<\t3").line;
  EXPECT_FALSE(plain.leftDotted);
  EXPECT_EQ(plain.argument, "steps");
  EXPECT_EQ(plain.value, "3");
  EXPECT_EQ(plain.op, CompareOperator::Less);

  auto odd = ParseScriptLine("SET .HEALTH = x.").line;
  EXPECT_TRUE(odd.leftDotted);
  EXPECT_EQ(odd.leftUnitName, "");
  EXPECT_EQ(odd.leftProperty, UnitProperty::Health);
  EXPECT_TRUE(odd.rightDotted);
  EXPECT_EQ(odd.rightUnitName, "x");
}

TEST(ScriptParser, PropertiesAndOperatorsAreLookedUp) {
  const std::pair<const char*, UnitProperty> properties[] = {
      {"POSITIONX", UnitProperty::PositionX},   {"destinationy", UnitProperty::DestinationY},
      {"MessageTime", UnitProperty::MessageTime}, {"ISEVENTCOLLISION", UnitProperty::IsEventCollision},
      {"HEALTHY", UnitProperty::Unknown},       {"POSITION", UnitProperty::Unknown},
  };
  for (const auto& [name, property] : properties) {
    auto parsed = ParseScriptLine(std::string("SET hero.") + name + " = 1");
    EXPECT_TRUE(parsed.kept) << name;  // an unknown property is kept and does nothing
    EXPECT_EQ(parsed.line.leftProperty, property) << name;
  }
  const std::pair<const char*, CompareOperator> operators[] = {
      {"=", CompareOperator::Equal},        {"!=", CompareOperator::NotEqual},
      {">", CompareOperator::Greater},      {">=", CompareOperator::GreaterOrEqual},
      {"<", CompareOperator::Less},         {"<=", CompareOperator::LessOrEqual},
      {"==", CompareOperator::Unknown},     {"<>", CompareOperator::Unknown},
      {"=>", CompareOperator::Unknown},
  };
  for (const auto& [text, op] : operators) {
    auto parsed = ParseScriptLine(std::string("IF n ") + text + " 5");
    EXPECT_TRUE(parsed.kept) << text;
    EXPECT_EQ(parsed.line.operatorText, text);
    EXPECT_EQ(parsed.line.op, op) << text;
  }
}

TEST(ScriptParser, QuotedValuesRunToTheEndOfTheLine) {
  struct Case {
    const char* text;
    const char* value;
  };
  const Case cases[] = {
      {"SET hero.MESSAGE = \"Open the gate\"", "Open the gate"},
      {"SET hero.MESSAGE = \"Open the gate\" ", "Open the gate\""},  // the last character goes
      {"SET hero.MESSAGE = \"Stop.\\nNow\"", "Stop.\\nNow"},          // no split, no escapes here
      {"SET hero.MESSAGE = \"", ""},
      {"SET hero.MESSAGE = \"\"", ""},
      {"SET a\"b = \"x\"", "b = \"x"},  // from the line's first quote
  };
  for (const auto& c : cases) {
    auto parsed = ParseScriptLine(c.text);
    ASSERT_TRUE(parsed.kept) << c.text;
    EXPECT_TRUE(parsed.line.valueQuoted) << c.text;
    EXPECT_FALSE(parsed.line.rightDotted) << c.text;
    EXPECT_EQ(parsed.line.value, c.value) << c.text;
  }
  // Only SET values are quoted; a test's right operand is one word.
  auto test = ParseScriptLine("IF name = \"a b\"").line;
  EXPECT_FALSE(test.valueQuoted);
  EXPECT_EQ(test.value, "\"a");
}

TEST(ScriptParser, ArgumentsAreWholeWords) {
  auto move = ParseScriptLine("MOVE_UNIT door.left").line;
  EXPECT_EQ(move.argument, "door.left");
  EXPECT_EQ(move.leftUnitName, "door.left");  // not split
  EXPECT_FALSE(move.leftDotted);

  auto show = ParseScriptLine("SHOW hero.MESSAGE").line;
  EXPECT_EQ(show.leftUnitName, "hero");
  EXPECT_EQ(show.leftProperty, UnitProperty::Message);
  EXPECT_EQ(ParseScriptLine("SET_MAP_TILE 3,4,1,1,17 ignored").line.argument, "3,4,1,1,17");
}

TEST(ScriptParser, CommentTextStartsAtTheFourthCharacter) {
  EXPECT_EQ(ParseScriptLine("// open the gate").line.comment, "open the gate");
  EXPECT_EQ(ParseScriptLine("//\tx").line.comment, "x");
  EXPECT_EQ(ParseScriptLine("//").line.comment, "");
  EXPECT_EQ(ParseScriptLine("  // indented").line.comment, "indented");
}

TEST(ScriptParser, RejectionsSayWhatIsWrong) {
  struct Case {
    const char* text;
    const char* reason;
  };
  const Case cases[] = {
      {"FOO bar", "unknown command \"FOO\""},
      {"//x", "a comment needs a space after \"//\""},
      {"set a", "SET needs a target, an \"=\" and a value, as in: SET steps = 0"},
      {"while a", "WHILE needs a left operand, an operator and a right operand, as in: WHILE steps < 3"},
      {"hide x", "HIDE needs unit.MESSAGE, as in: HIDE guard.MESSAGE"},
      {"CHECK_POINT here", "CHECK_POINT must stand alone on its line"},
      {"\x01\x7F\xE9", "unknown command \"\\x01\\x7F\xE9\""},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseScriptLine(c.text).rejection, c.reason);
  std::string longWord(100, 'A');
  EXPECT_EQ(ParseScriptLine(longWord).rejection, "unknown command \"" + std::string(40, 'A') + "...\"");
}

TEST(ScriptParser, StoredTextsAreCutToTheirLimits) {
  const std::string big(10000, 'x');
  auto set = ParseScriptLine("SET " + big + ".HEALTH = " + big).line;
  EXPECT_EQ(set.leftUnitName.size(), script::kMaxTokenLength);
  EXPECT_EQ(set.leftProperty, UnitProperty::Health);
  EXPECT_EQ(set.value.size(), script::kMaxTokenLength);

  auto quoted = ParseScriptLine("SET hero.MESSAGE = \"" + big + "\"").line;
  EXPECT_EQ(quoted.value, std::string(script::kMaxTokenLength, 'x'));

  EXPECT_EQ(ParseScriptLine("// " + big).line.comment.size(), script::kMaxCommentLength);
  EXPECT_EQ(ParseScriptLine("SLEEP " + big).line.argument.size(), script::kMaxTokenLength);

  auto test = ParseScriptLine("IF " + big + " " + big + " " + big).line;
  EXPECT_EQ(test.argument.size(), script::kMaxTokenLength);
  EXPECT_EQ(test.operatorText.size(), script::kMaxTokenLength);
  EXPECT_EQ(test.op, CompareOperator::Unknown);
}

}  // namespace
