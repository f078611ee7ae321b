// The buttons of the desktop boxes: order, keys and the game's language.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

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
      {QuestionLabels{}, "Yes"}, {QuestionLabels{"S\xED", "No"}, "S\xC3\xAD"},  // Sí given in Windows-1252
  };
  for (const auto& c : cases) {
    // Enter answers Yes, Escape answers No.
    auto buttons = platform::BoxButtons(BoxKind::Question, c.labels);
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(std::make_tuple(buttons[0].label, buttons[0].answer, buttons[0].enterKey, buttons[0].escapeKey),
              std::make_tuple(std::string(c.yes), BoxAnswer::Yes, true, false));
    EXPECT_EQ(std::make_tuple(buttons[1].label, buttons[1].answer, buttons[1].enterKey, buttons[1].escapeKey),
              std::make_tuple(std::string("No"), BoxAnswer::No, false, true));
  }
  for (BoxKind kind : {BoxKind::Error, BoxKind::Info}) {
    auto buttons = platform::BoxButtons(kind, QuestionLabels{"S\xED", "No"});
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(buttons[0].label, "OK");
    EXPECT_TRUE(buttons[0].enterKey && buttons[0].escapeKey);
  }
}

}  // namespace
