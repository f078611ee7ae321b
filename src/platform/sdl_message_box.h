// Modal boxes for the SDL backend.
#pragma once

#include <SDL.h>

#include <string>

#include "platform/box_buttons.h"
#include "platform/platform.h"

namespace platform::sdl {

// Shows an error, information or Yes/No question box; texts are Windows-1252. A box that cannot
// be shown answers Yes to a question (a quit box that fails counts as a Yes) and Ok otherwise.
BoxAnswer ShowMessageBox(SDL_Window* parent, BoxKind kind, const std::string& caption, const std::string& text,
                         const QuestionLabels& labels = {});

}  // namespace platform::sdl
