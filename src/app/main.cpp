#include "app/run.h"

#ifdef TL_HAVE_SDL
#include "platform/sdl_platform.h"
#endif

int main(int argc, char** argv) {
#ifdef TL_HAVE_SDL
  return app::RunFromCommandLine(argc, argv, platform::CreateSdlPlatform);
#else
  return app::RunFromCommandLine(argc, argv, nullptr);
#endif
}
