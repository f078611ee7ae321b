#include "app/help_texts.h"

#include <array>

#include "config/language.h"

namespace app {
namespace {

struct Line {
  const char* english;
  const char* spanish;
};

constexpr std::array<Line, 11> kControls = {{
    {"Scroll the game map --> Move the mouse pointer to the edges of the window\n\n",
     "Desplazar el mapa de juego --> Mueve el puntero del ratón a los bordes de la ventana\n\n"},
    {"Select unit on the game map --> Mouse pointer over the unit and left mouse button\n\n",
     "Seleccionar una unidad del mapa --> Pulsa el botón izquierdo del ratón sobre la unidad\n\n"},
    {"Select player on the game map --> Mouse pointer over the player and left mouse button (drag "
     "to select multiple players)\n\n",
     "Seleccionar un jugador del mapa --> Pulsa el botón izquierdo del ratón sobre el jugador "
     "(arrastra para seleccionar múltiples jugadores)\n\n"},
    {"Move selected players --> Mouse pointer over the destination and right mouse button\n\n",
     "Mover jugadores seleccionados --> Puntero del ratón sobre el destino y pulsa el botón derecho "
     "del ratón\n\n"},
    {"Shoot selected players --> Mouse pointer over the target and press 'Z' key\n\n",
     "Disparo de los jugadores seleccionados --> Puntero del ratón sobre el objetivo y pulsa la "
     "tecla 'Z'\n\n"},
    {"Use sword of selected players --> Press 'X' key\n\n",
     "Uso de espada de jugadores seleccionados --> Pulsa la tecla 'X'\n\n"},
    {"Selected player perform action (when the white arrow appears) --> Middle mouse button\n\n",
     "Jugador seleccionado realiza acción (cuando aparece la flecha blanca) --> Pulsa el botón "
     "central del ratón\n\n"},
    {"Inventory objects of the selected player --> Mouse pointer over objects inventory icons at "
     "the bottom of the window\n\n",
     "Inventario de objetos del jugador seleccionado --> Puntero del ratón sobre los iconos de los "
     "objetos en la parte inferior de la ventana\n\n"},
    {"Selected player give an object to another player --> The two players must be together. "
     "Mouse pointer over object inventory to give and press 'M' key\n\n",
     "Jugador seleccionado entrega un objeto a otro jugador --> Los dos jugadores deben estar "
     "juntos. Puntero del ratón sobre el objeto a entregar y pulsa la tecla 'M'\n\n"},
    {"Show/Hide FPS counter --> Press 'F' key\n\n", "Mostrar/Ocultar contador FPS --> Pulsa la tecla 'F'\n\n"},
    {"The red bar of selected item is his health level, the blue bar his ammunition level.",
     "La barra roja de la unidad seleccionada es su nivel de salud, la barra azul su nivel de "
     "munición."},
}};

}  // namespace

std::string GameControlsCaption(config::Language language) {
  return config::Tr(language, "Game controls", "Controles del juego");
}

std::string GameControlsText(config::Language language) {
  std::string text;
  for (const Line& line : kControls) text += config::Tr(language, line.english, line.spanish);
  return text;
}

std::string AboutCaption(config::Language language) {
  return config::Tr(language, "About Tessaloom 2D", "Acerca de Tessaloom 2D");
}

std::string AboutText(config::Language language) {
  return config::Tr(language,
                    "Tessaloom 2D v1.1d\n\nAn engine for real-time, top-down 2D tile-map squad games.\n"
                    "A game is data: INI files, a Tiled map, BMP images, sounds, fonts and scripts.\n\n"
                    "Help > Go to Tessaloom 2D Website opens the guide for game makers.",
                    "Tessaloom 2D v1.1d\n\nUn motor para juegos de escuadras en tiempo real, en 2D, con mapas de "
                    "casillas vistos desde arriba.\nUn juego son datos: ficheros INI, un mapa de Tiled, imágenes "
                    "BMP, sonidos, tipos de letra y scripts.\n\n"
                    "Ayuda > Ir al sitio web de Tessaloom 2D abre la guía para creadores de juegos.");
}

}  // namespace app
