// The buttons of the desktop boxes: order, keys and the game's language.
#include <gtest/gtest.h>

#include <string>

#include "platform/box_buttons.h"

namespace {

using platform::BoxAnswer;
using platform::BoxKind;
using platform::QuestionLabels;

TEST(BoxButtons, QuestionButtonsSpeakTheGamesLanguage) {
  const struct {
    QuestionLabels labels;
    const char* yes;  // UTF-8
  } cases[] = {
      {QuestionLabels{}, "Yes"},
      {QuestionLabels{"S\xED", "No"}, "S\xC3\xAD"},  // Sí given in Windows-1252
  };
  for (const auto& c : cases) {
    auto buttons = platform::BoxButtons(BoxKind::Question, c.labels);
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0].label, c.yes);
    EXPECT_EQ(buttons[1].label, "No");
    EXPECT_EQ(buttons[0].answer, BoxAnswer::Yes);
    EXPECT_TRUE(buttons[0].enterKey && !buttons[0].escapeKey);  // Enter answers Yes
    EXPECT_EQ(buttons[1].answer, BoxAnswer::No);
    EXPECT_TRUE(buttons[1].escapeKey && !buttons[1].enterKey);  // Escape answers No
  }
  for (BoxKind kind : {BoxKind::Error, BoxKind::Info}) {
    auto buttons = platform::BoxButtons(kind, QuestionLabels{"S\xED", "No"});
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(buttons[0].label, "OK");
    EXPECT_TRUE(buttons[0].enterKey && buttons[0].escapeKey);
  }
}

}  // namespace
