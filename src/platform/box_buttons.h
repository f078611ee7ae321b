// The buttons of a modal box, for backends that draw or describe boxes themselves: which ones,
// left to right, which keys answer them, and their labels in the game's language.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

// The Windows-1252 labels of a question box's buttons.
struct QuestionLabels {
  std::string yes = "Yes";
  std::string no = "No";
};

struct BoxButton {
  BoxAnswer answer = BoxAnswer::Ok;
  bool enterKey = false;   // Enter presses it
  bool escapeKey = false;  // Escape presses it
  std::string label;       // UTF-8
};

// Ok alone for errors and information; Yes (Enter) then No (Escape) for questions.
std::vector<BoxButton> BoxButtons(BoxKind kind, const QuestionLabels& labels);

}  // namespace platform
