#include "platform/box_buttons.h"

#include "platform/text_encoding.h"

namespace platform {

std::vector<BoxButton> BoxButtons(BoxKind kind, const QuestionLabels& labels) {
  if (kind != BoxKind::Question) return {{BoxAnswer::Ok, true, true, "OK"}};
  return {{BoxAnswer::Yes, true, false, Utf8FromCp1252(labels.yes)},
          {BoxAnswer::No, false, true, Utf8FromCp1252(labels.no)}};
}

}  // namespace platform
