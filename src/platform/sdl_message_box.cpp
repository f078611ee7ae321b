#include "platform/sdl_message_box.h"

#include <cstdio>

#include "platform/text_encoding.h"

namespace platform::sdl {
namespace {
constexpr int kButtonOk = 0;
constexpr int kButtonYes = 1;
constexpr int kButtonNo = 2;
}  // namespace

BoxAnswer ShowMessageBox(SDL_Window* parent, BoxKind kind, const std::string& caption,
                         const std::string& text) {
  const std::string title = Utf8FromCp1252(caption);
  const std::string message = Utf8FromCp1252(text);
  const bool question = kind == BoxKind::Question;

  // Enter answers Yes and Escape answers No; SDL lists buttons left to right here.
  const SDL_MessageBoxButtonData okButtons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kButtonOk,
       "OK"}};
  const SDL_MessageBoxButtonData yesNoButtons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kButtonYes, "Yes"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kButtonNo, "No"}};

  SDL_MessageBoxData data{};
  // SDL has no question icon; the information icon is the nearest.
  data.flags = (kind == BoxKind::Error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION) |
               SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  data.window = parent;
  data.title = title.c_str();
  data.message = message.c_str();
  data.numbuttons = question ? 2 : 1;
  data.buttons = question ? yesNoButtons : okButtons;

  int pressed = -1;
  if (SDL_ShowMessageBox(&data, &pressed) != 0) {
    std::fprintf(stderr, "tessaloom: a message box could not be shown (%s): %s\n", SDL_GetError(),
                 message.c_str());
    return question ? BoxAnswer::Yes : BoxAnswer::Ok;
  }
  if (!question) return BoxAnswer::Ok;
  // A box closed without a button (window manager close) is a refusal.
  return pressed == kButtonYes ? BoxAnswer::Yes : BoxAnswer::No;
}

}  // namespace platform::sdl
