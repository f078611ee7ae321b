// Whole scripts: line endings and numbers, encodings, loading from the Scripts folder, block
// links, and input far beyond what a game maker writes.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "script/orvanta_script.h"
#include "script/script_size.h"
#include "support/test_world.h"

namespace {

using script::kNoLine;

std::vector<int> SourceLines(const COrvantaScript& script) {
  std::vector<int> numbers;
  for (const auto& line : script.Lines()) numbers.push_back(line.sourceLine);
  return numbers;
}

std::vector<int> RejectedSourceLines(const COrvantaScript& script) {
  std::vector<int> numbers;
  for (const auto& line : script.RejectedLines()) numbers.push_back(line.sourceLine);
  return numbers;
}

TEST(ScriptFile, AnyLineEndingAndEmptyOrBlankLines) {
  struct Case {
    const char* text;
    std::vector<int> kept;
    std::vector<int> rejected;
  };
  const Case cases[] = {
      {"SLEEP 1\nbad\nEXIT", {1, 3}, {2}},
      {"SLEEP 1\r\nbad\r\nEXIT\r\n", {1, 3}, {2}},
      {"SLEEP 1\rbad\rEXIT\r", {1, 3}, {2}},
      {"\n\r\n  \t\nSLEEP 1\n\n\nEXIT\n\n", {4, 7}, {}},  // blank lines change nothing
      {"SLEEP 1\r\r\nbad\n\rEXIT", {1, 5}, {3}},          // CR CR LF and LF CR: two line ends each
      {"", {}, {}},
  };
  for (const auto& c : cases) {
    COrvantaScript script;
    script.LoadText("t", c.text);
    EXPECT_TRUE(script.IsLoaded());
    EXPECT_EQ(SourceLines(script), c.kept) << c.text;
    EXPECT_EQ(RejectedSourceLines(script), c.rejected) << c.text;
  }
}

TEST(ScriptFile, BlocksFindTheirClosingLines) {
  COrvantaScript script;
  script.LoadText("blocks",
                  "WHILE a < 3\n"          // 0
                  "IF b = TRUE THEN\n"     // 1
                  "IF c = 1\n"             // 2
                  "ENDIF\n"                // 3
                  "ELSE\n"                 // 4
                  "ELSE\n"                 // 5: a second ELSE is not the IF's
                  "WHILE d < 1\n"          // 6
                  "ENDIF\n"                // 7: closes the IF of line 1, not the inner WHILE
                  "ENDWHILE\n"             // 8
                  "ENDWHILE\n"             // 9
                  "IF e = 1\n"             // 10: never closed
                  "WHILE f = 1\n");        // 11: never closed
  std::vector<std::pair<int, int>> links;  // else, end of each line
  for (const auto& line : script.Lines()) links.push_back({line.elseIndex, line.endIndex});
  const int n = kNoLine;
  EXPECT_EQ(links,
            (std::vector<std::pair<int, int>>{
                {n, 9}, {4, 7}, {n, 3}, {n, n}, {n, n}, {n, n}, {n, 8}, {n, n}, {n, n}, {n, n}, {n, n}, {n, n}}));
}

TEST(ScriptFile, Utf8FilesBecomeWindows1252) {
  COrvantaScript script;
  script.LoadText("t", "\xEF\xBB\xBFSET cami\xC3\xB3n.MESSAGE = \"\xC2\xA1Hola!\"\n");
  ASSERT_EQ(script.LineCount(), 1u);
  EXPECT_EQ(script.Lines()[0].leftUnitName(), "cami\xF3n");
  EXPECT_EQ(script.Lines()[0].value(), "\xA1Hola!");

  script.LoadText("t", "SET cami\xF3n.HEALTH = 5\n");  // already Windows-1252: kept as it is
  EXPECT_EQ(script.Lines()[0].leftUnitName(), "cami\xF3n");
}

TEST(ScriptLoad, ReadsAProjectPathWithoutRegardToCaseAndAFailedLoadChangesNothing) {
  testing_support::TempDir dir;
  testing_support::ScopedCwd cwd{dir.path()};
  dir.Write("Projects/Q/scripts/Door.TXT", "PLAY_SOUND door.wav\nSHOW_IMAGE gate.bmp\n");
  dir.Write("folder/x", "");
  COrvantaScript script;
  ASSERT_TRUE(script.Load("door.txt", "Projects\\Q\\Scripts\\door.txt"));
  for (const auto& [name, path] : {std::pair{"b", "missing.txt"}, {"", "folder/x"}, {"b", ""}, {"b", "folder"}}) {
    EXPECT_FALSE(script.Load(name, path)) << path;
  }
  EXPECT_EQ(script.Name(), "door.txt");
  ASSERT_EQ(script.LineCount(), 2u);
  EXPECT_EQ(script.Lines()[1].argument(), "gate.bmp");
  dir.Write("empty.txt", "");  // an empty file is loaded, with no lines
  ASSERT_TRUE(script.Load("empty", "empty.txt"));
  EXPECT_EQ(script.LineCount(), 0u);
}

TEST(ScriptLimits, LongNamesAndHugeScripts) {
  COrvantaScript script;
  script.LoadText(std::string(1000, 'n'), "EXIT");
  EXPECT_EQ(script.Name().size(), script::kMaxScriptNameLength);

  std::string text;
  for (int i = 0; i < 100000; ++i) text += (i % 2 == 0) ? "SET n = +1\n" : "oops\n";
  script.LoadText("big", text);
  EXPECT_EQ(script.LineCount(), 50000u);
  EXPECT_EQ(script.RejectedLines().back().sourceLine, 100000);

  // Up to the bounds a script loads; one line or one byte more and nothing of it is kept.
  testing_support::TempDir dir;
  testing_support::ScopedCwd cwd{dir.path()};
  const std::string lineOverBound = "SLEEP 1\n" + std::string(script::kMaxScriptLines - 1, '\n') + "x";
  const std::string byteOverBound = "SLEEP 1\n" + std::string(script::kMaxScriptBytes - 8, ' ') + "x";
  const struct {
    std::string text;
    bool tooLarge;
  } cases[] = {{lineOverBound.substr(0, lineOverBound.size() - 1), false},
               {lineOverBound, true},
               {byteOverBound.substr(0, byteOverBound.size() - 1), false},
               {byteOverBound, true}};
  for (const auto& c : cases) {
    dir.Write("bound.txt", c.text);
    EXPECT_EQ(script.Load("bound", "bound.txt"), !c.tooLarge) << c.text.size();
    EXPECT_EQ(script.TooLarge(), c.tooLarge);
    EXPECT_EQ(script.IsLoaded(), !c.tooLarge);
    EXPECT_EQ(script.LineCount(), c.tooLarge ? 0u : 1u);
    EXPECT_TRUE(script.RejectedLines().empty()) << "the \"x\" past a bound is not even rejected";
  }
}

}  // namespace
