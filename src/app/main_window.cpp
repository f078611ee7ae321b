#include "app/main_window.h"

#include "app/help_texts.h"
#include "app/save_game.h"
#include "app/world.h"
#include "audio/music.h"
#include "config/game_settings.h"
#include "config/language.h"
#include "engine/orvanta_engine.h"
#include "platform/platform.h"

namespace app {
namespace {

// The quick-save keys: F5 saves, F9 loads.
constexpr uint64_t kVkSaveGame = platform::kVkF1 + 4;
constexpr uint64_t kVkLoadGame = platform::kVkF1 + 8;

std::vector<platform::MenuPopup> BuildMenu(config::Language language) {
  platform::MenuPopup game{config::Tr(language, "&Game", "&Juego"),
                           {{kMenuSaveGame, config::Tr(language, "&Save game", "&Guardar partida")},
                            {kMenuLoadGame, config::Tr(language, "&Load game", "&Cargar partida")},
                            {kMenuQuit, config::Tr(language, "&Quit", "&Salir")}},
                           false};
  platform::MenuPopup help{
      config::Tr(language, "&Help", "&Ayuda"),
      {{kMenuAboutGame, config::Tr(language, "About the game", "Acerca del juego")},
       {kMenuGameControls, config::Tr(language, "Game controls", "Controles del juego")},
       {0, ""},
       {kMenuAboutEngine, config::Tr(language, "About Tessaloom 2D", "Acerca de Tessaloom 2D")},
       {kMenuWebsite, config::Tr(language, "Go to Tessaloom 2D Website", "Ir al sitio web de Tessaloom 2D")}},
      true};
  return {game, help};
}

void ShowInfo(const std::string& caption, const std::string& text) {
  platform::Get().ShowBox(platform::BoxKind::Info, true, caption, text);
}

void OnMenuCommand(World& world, int id) {
  const auto& settings = world.config.settings;
  switch (id) {
    case kMenuQuit: QuitConfirmation(world); break;
    case kMenuSaveGame: SaveGameToSlot(world); break;
    case kMenuLoadGame: LoadGameFromSlot(world); break;
    case kMenuAboutGame:
      if (!settings.gameDescription.empty() || !settings.gameName.empty()) {
        ShowInfo(settings.gameName, settings.gameDescription);
      }
      break;
    case kMenuGameControls:
      ShowInfo(GameControlsCaption(world.config.language()), GameControlsText(world.config.language()));
      break;
    case kMenuAboutEngine: ShowInfo(AboutCaption(world.config.language()), AboutText(world.config.language())); break;
    case kMenuWebsite: platform::Get().OpenUrl(kWebsiteUrl); break;
    default: break;
  }
}

bool IsForwardedInput(uint32_t message) {
  switch (message) {
    case platform::kWmKeyDown:
    case platform::kWmMouseMove:
    case platform::kWmLButtonDown:
    case platform::kWmLButtonUp:
    case platform::kWmRButtonDown:
    case platform::kWmRButtonUp:
    case platform::kWmMButtonDown:
    case platform::kWmMouseWheel: return true;
    default: return false;
  }
}

}  // namespace

bool CreateMainWindow(config::Language language, const std::string& title, int width, int height) {
  auto& os = platform::Get();
  platform::Size screen = os.PrimaryScreenSize();
  os.MoveCursorTo(screen.width / 2, screen.height / 2);
  platform::WindowSpec window;
  window.title = title;
  window.x = (screen.width - width) / 2;
  window.y = (screen.height - height) / 2;
  window.width = width;
  window.height = height;
  window.menu = BuildMenu(language);
  window.yesButton = config::Tr(language, "Yes", "Sí");
  window.noButton = config::Tr(language, "No", "No");
  return os.CreateMainWindow(window);
}

void QuitConfirmation(World& world) {
  if (world.engine) world.engine->SetPaused(true);
  platform::BoxAnswer answer = platform::Get().ShowBox(
      platform::BoxKind::Question, true, config::Tr(world.config.language(), "Quit game", "Salir del juego"),
      config::Tr(world.config.language(), "Quit game ?", "¿ Salir del juego ?"));
  // Once the player has chosen to quit, the world stands still until the end: its last state is
  // the one the player left.
  if (answer != platform::BoxAnswer::No) {
    platform::Get().PostQuit(0);
    return;
  }
  if (world.engine) world.engine->SetPaused(false);
}

int64_t WindowProcedure(World& world, uint32_t message, uint64_t wParam, int64_t lParam) {
  const bool key = message == platform::kWmKeyDown;
  const bool own = (key && (wParam == platform::kVkEscape || wParam == kVkSaveGame || wParam == kVkLoadGame)) ||
                   message == platform::kWmClose || message == platform::kWmCommand;
  if (own && world.windowMessage) world.windowMessage(world, message, wParam, lParam);
  if (key && wParam == platform::kVkEscape) {
    QuitConfirmation(world);
    return 0;
  }
  if (key && wParam == kVkSaveGame) {
    SaveGameToSlot(world);
    return 0;
  }
  if (key && wParam == kVkLoadGame) {
    LoadGameFromSlot(world);
    return 0;
  }
  if (message == platform::kWmClose || message == platform::kWmDestroy) {
    QuitConfirmation(world);
    return 0;
  }
  if (IsForwardedInput(message)) {
    if (world.engine) world.engine->OnInput(message, wParam, lParam);
    return 0;
  }
  if (message == platform::kWmCommand) {
    OnMenuCommand(world, static_cast<int>(wParam & 0xFFFF));
    return 0;
  }
  if (message == platform::kMmMciNotify) {
    world.music.OnNotify(wParam);
    return 0;
  }
  return 0;  // everything else: the default handling, which does nothing here
}

}  // namespace app
