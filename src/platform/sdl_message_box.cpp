#include "platform/sdl_message_box.h"

#include <cstdio>
#include <vector>

#include "platform/text_encoding.h"

namespace platform::sdl {

BoxAnswer ShowMessageBox(SDL_Window* parent, BoxKind kind, const std::string& caption, const std::string& text,
                         const QuestionLabels& labels) {
  const std::string title = Utf8FromCp1252(caption);
  const std::string message = Utf8FromCp1252(text);
  const bool question = kind == BoxKind::Question;

  // SDL lists the buttons left to right here; a button's id is its answer.
  const std::vector<BoxButton> buttons = BoxButtons(kind, labels);
  std::vector<SDL_MessageBoxButtonData> sdlButtons;
  for (const BoxButton& button : buttons) {
    const Uint32 flags = (button.enterKey ? SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT : 0) |
                         (button.escapeKey ? SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT : 0);
    sdlButtons.push_back({flags, static_cast<int>(button.answer), button.label.c_str()});
  }

  SDL_MessageBoxData data{};
  // SDL has no question icon; the information icon is the nearest.
  data.flags = (kind == BoxKind::Error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION) |
               SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  data.window = parent;
  data.title = title.c_str();
  data.message = message.c_str();
  data.numbuttons = static_cast<int>(sdlButtons.size());
  data.buttons = sdlButtons.data();

  int pressed = -1;
  if (SDL_ShowMessageBox(&data, &pressed) != 0) {
    std::fprintf(stderr, "tessaloom: a message box could not be shown (%s): %s\n", SDL_GetError(), message.c_str());
    return question ? BoxAnswer::Yes : BoxAnswer::Ok;
  }
  if (!question) return BoxAnswer::Ok;
  // A box closed without a button (window manager close) is a refusal.
  return pressed == static_cast<int>(BoxAnswer::Yes) ? BoxAnswer::Yes : BoxAnswer::No;
}

}  // namespace platform::sdl
