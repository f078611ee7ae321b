// Modal message boxes through MessageBoxW: the icon and buttons of each kind, the answer of the
// pressed button, and question buttons labelled in the game's language.
#pragma once

#include <string>

#include "platform/box_buttons.h"
#include "platform/platform.h"
#include "platform/win32_windows.h"

namespace platform::win32 {

// MB_ style bits of a box of this kind; an unowned box also asks to come to the front.
UINT BoxStyle(BoxKind kind, bool owned);

// The answer for MessageBoxW's result. A box that could not be shown (0) counts as Ok, or as
// Yes for a question; a question closed any other way than by No counts as Yes only by Yes.
BoxAnswer AnswerFromButton(BoxKind kind, int pressed);

// Shows the box (owner may be null) and waits for its answer. Texts are Windows-1252.
BoxAnswer ShowMessageBox(HWND owner, BoxKind kind, const std::string& caption, const std::string& text,
                         const QuestionLabels& labels);

}  // namespace platform::win32
