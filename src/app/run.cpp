#include "app/run.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/check_image.h"
#include "app/check_project.h"
#include "app/check_scripts.h"
#include "app/command_options.h"
#include "app/play_recording.h"
#include "app/state_dump.h"
#include "app/win_main.h"
#include "app/world.h"
#include "config/launcher_settings.h"
#include "engine/orvanta_engine.h"
#include "gfx/bitmap_surface.h"
#include "platform/files.h"
#include "platform/headless_platform.h"
#include "platform/platform.h"
#include "platform/text_encoding.h"

namespace app {
namespace {

constexpr const char* kUsage =
    "usage: tessaloom [options] [PROJECT]\n"
    "  --headless              run without a display, on a virtual clock\n"
    "  --frames N              end after N passes of the game loop (headless)\n"
    "  --step-ms M             virtual milliseconds per game-loop pass (headless, default 10)\n"
    "  --input FILE            input events: '<ms> <event> [args]' lines (headless)\n"
    "  --answer yes|no         the answer to every question box (headless, default yes)\n"
    "  --screen WxH            the primary screen size reported (headless, default 1920x1080)\n"
    "  --transcript FILE       what a user would see or hear, one line each; '-' for stdout\n"
    "  --screenshot FILE       the last presented frame as a 24-bit BMP (headless)\n"
    "  --dump-state FILE       the world as JSON at the end\n"
    "  --record FILE           write the play as an input file that --headless --input replays\n"
    "  --dump-every MS FILE    the world as one JSON line every MS virtual ms (headless)\n"
    "  --hud-message TEXT      post a message on the HUD at start (debugging aid)\n"
    "  --save-dir DIR          keep saved games in DIR instead of the player's data folder\n"
    "  --load FILE             start from a saved game (headless: passes played count toward --frames)\n"
    "  --check-image FILE      load a BMP with the engine's loader and report [--out OUT.bmp]\n"
    "  --check-scripts PROJECT list the lines of the project's scripts that the game would drop\n"
    "  --check [PROJECT]       list every problem of a project at once [--format json]\n"
    "  --help, --version\n"
    "PROJECT, the rest of the command line, names the project under Projects/.\n";

bool ParseCount(const std::string& text, long long low, long long high, long long& out) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 12) {
    return false;
  }
  out = std::stoll(text);
  return out >= low && out <= high;
}

bool ParseScreen(const std::string& text, platform::Size& size) {
  auto x = text.find('x');
  long long w = 0, h = 0;
  if (x == std::string::npos || !ParseCount(text.substr(0, x), 1, 32767, w) ||
      !ParseCount(text.substr(x + 1), 1, 32767, h)) {
    return false;
  }
  size = {static_cast<int>(w), static_cast<int>(h)};
  return true;
}

}  // namespace

std::optional<std::string> ParseOptions(int argc, char** argv, Options& options) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::size_t i = 0;
  bool headlessOnly = false;
  // The value after an option; false when the command line ends first.
  auto value = [&](std::string& out) -> bool {
    if (i + 1 >= args.size()) return false;
    out = args[++i];
    return true;
  };
  for (; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::string v;
    long long n = 0;
    if (arg == "--") {
      ++i;
      break;
    }
    if (arg.rfind("--", 0) != 0) break;
    if (arg == "--headless") {
      options.headless = true;
    } else if (arg == "--help") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--frames") {
      if (!value(v) || !ParseCount(v, 0, 1000000000LL, n)) return "--frames needs a count";
      options.headlessOptions.frames = n;
      headlessOnly = true;
    } else if (arg == "--step-ms") {
      if (!value(v) || !ParseCount(v, 1, 60000, n)) return "--step-ms needs 1 to 60000";
      options.headlessOptions.stepMs = static_cast<uint32_t>(n);
      headlessOnly = true;
    } else if (arg == "--input") {
      if (!value(options.inputFile)) return "--input needs a file";
      headlessOnly = true;
    } else if (arg == "--answer") {
      if (!value(v) || (v != "yes" && v != "no")) return "--answer needs yes or no";
      options.headlessOptions.answerYes = v == "yes";
      headlessOnly = true;
    } else if (arg == "--screen") {
      if (!value(v) || !ParseScreen(v, options.headlessOptions.screen)) return "--screen needs WxH";
      headlessOnly = true;
    } else if (arg == "--transcript") {
      if (!value(options.transcriptFile)) return "--transcript needs a file or -";
      headlessOnly = true;
    } else if (arg == "--screenshot") {
      if (!value(options.screenshotFile)) return "--screenshot needs a file";
      headlessOnly = true;
    } else if (arg == "--dump-state") {
      if (!value(options.dumpFile)) return "--dump-state needs a file";
    } else if (arg == "--record") {
      if (!value(options.recordFile)) return "--record needs a file";
    } else if (arg == "--dump-every") {
      if (!value(v) || !ParseCount(v, 1, 3600000, n)) return "--dump-every needs 1 to 3600000 ms and a file";
      options.dumpEveryMs = static_cast<uint32_t>(n);
      if (!value(options.dumpEveryFile)) return "--dump-every needs 1 to 3600000 ms and a file";
      headlessOnly = true;
    } else if (arg == "--test-unit") {
      // A testing aid, left out of --help: a stand-in player walking from X,Y to TX,TY.
      std::optional<TestUnitPlacement> placement;
      if (!value(v) || !(placement = ParseTestUnit(v))) return "--test-unit needs X,Y,TX,TY[,SPEED]";
      options.testUnits.push_back(*placement);
    } else if (arg == "--hud-message") {
      if (!value(v)) return "--hud-message needs a text";
      options.hudMessages.push_back(platform::Cp1252FromUtf8(v));
    } else if (arg == "--save-dir") {
      if (!value(options.saveFolder)) return "--save-dir needs a folder";
    } else if (arg == "--load") {
      if (!value(options.loadFile)) return "--load needs a file";
    } else if (arg == "--check-image") {
      if (!value(options.checkImage)) return "--check-image needs a file";
    } else if (arg == "--check-scripts") {
      options.checkScripts = true;
    } else if (arg == "--check") {
      options.checkProject = true;
    } else if (arg == "--format") {
      if (!value(v) || (v != "json" && v != "text")) return "--format needs json or text";
      options.jsonFormat = v == "json";
    } else if (arg == "--out") {
      if (!value(options.checkImageOut)) return "--out needs a file";
    } else {
      return "unknown option " + arg;
    }
  }
  // The rest of the command line, taken literally, names the project.
  for (std::size_t k = i; k < args.size(); ++k) {
    if (k > i) options.commandLine += ' ';
    options.commandLine += args[k];
  }
  options.commandLine = platform::Cp1252FromUtf8(options.commandLine);
  if (headlessOnly && !options.headless) return "this option needs --headless";
  if (!options.checkImageOut.empty() && options.checkImage.empty()) return "--out goes with --check-image";
  return std::nullopt;
}

namespace {

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(platform::HostFsPath(path), std::ios::binary);
  out << bytes;
  return static_cast<bool>(out);
}

void WriteScreenshot(const platform::HeadlessPlatform& headless, const std::string& path) {
  int width = 0, height = 0;
  std::vector<uint32_t> frame = headless.LastFrame(width, height);
  CBitmapSurface shot;
  if (width <= 0 || height <= 0 || !shot.Create(width, height)) {
    std::cerr << "tessaloom: no frame was presented; no screenshot written\n";
    return;
  }
  std::copy(frame.begin(), frame.end(), shot.Pixels());  // both store rows bottom-up
  if (!shot.SaveFile(path)) std::cerr << "tessaloom: cannot write " << path << "\n";
}

void WriteStateDump(const World& world, const Options& options) {
  if (!options.dumpFile.empty() && !WriteFile(options.dumpFile, StateDumpJson(world))) {
    std::cerr << "tessaloom: cannot write " << options.dumpFile << "\n";
  }
}

int RunHeadless(World& world, Options& options) {
  std::unique_ptr<std::ofstream> transcriptFile;
  if (options.transcriptFile == "-") {
    options.headlessOptions.transcript = &std::cout;
  } else if (!options.transcriptFile.empty()) {
    transcriptFile = std::make_unique<std::ofstream>(platform::HostFsPath(options.transcriptFile), std::ios::binary);
    if (!*transcriptFile) {
      std::cerr << "tessaloom: cannot write " << options.transcriptFile << "\n";
      return 2;
    }
    options.headlessOptions.transcript = transcriptFile.get();
  }
  options.headlessOptions.keepFrames = !options.screenshotFile.empty();
  auto backend = platform::CreateHeadlessPlatform(options.headlessOptions);
  platform::HeadlessPlatform* headless = backend.get();
  platform::Install(std::move(backend));

  // One line as soon as each multiple of the period has passed, on the game-loop thread.
  std::unique_ptr<std::ofstream> dumpEvery;
  if (options.dumpEveryMs != 0) {
    dumpEvery = std::make_unique<std::ofstream>(platform::HostFsPath(options.dumpEveryFile), std::ios::binary);
    if (!*dumpEvery) {
      std::cerr << "tessaloom: cannot write " << options.dumpEveryFile << "\n";
      return 2;
    }
    world.afterFrame = [out = dumpEvery.get(), period = options.dumpEveryMs, headless,
                        due = uint32_t{0}](World& running) mutable {
      const uint32_t elapsed = headless->ElapsedMs();
      // The first multiple of the period at or after the first pass: a game resumed from a save
      // writes the lines its original run wrote after the save, and no others.
      if (due == 0) due = std::max(period, (elapsed + period - 1) / period * period);
      if (elapsed < due) return;
      *out << StateDumpLine(running, elapsed);
      out->flush();
      due = (elapsed / period + 1) * period;
    };
  }
  world.beforeShutdown = [&options, headless](World& ending) {
    WriteStateDump(ending, options);
    if (!options.screenshotFile.empty()) WriteScreenshot(*headless, options.screenshotFile);
  };
  int code = WinMain(world, options.commandLine);
  world.afterFrame = nullptr;  // the periodic lines' file closes here
  return code;
}

int RunDesktop(World& world, const Options& options, const DesktopBackendFactory& desktop) {
  platform::Install(desktop());
  world.beforeShutdown = [&options](World& ending) { WriteStateDump(ending, options); };
  return WinMain(world, options.commandLine);
}

// From the moment the project has loaded, every message the game takes and every pass in which
// time moved the world goes into the recording, in the order the world saw them.
std::function<void(World&)> StartRecording(const std::string& path) {
  return [path](World& world) {
    auto recorder = std::make_shared<PlayRecorder>();
    const config::LauncherSettings& launcher = world.config.launcher;
    const RecordingHeader header{{launcher.windowWidth, launcher.windowHeight},
                                 platform::Get().PrimaryScreenSize(),
                                 platform::Get().TickCount()};
    if (!recorder->Open(path, header)) {
      std::cerr << "tessaloom: cannot write " << path << "; nothing is recorded\n";
      return;
    }
    world.engine->SetJournal({[recorder](uint32_t now, uint32_t message, uint64_t wParam, int64_t lParam) {
                                recorder->Message(now, message, wParam, lParam);
                              },
                              [recorder](uint32_t now) { recorder->Pass(now); }});
    world.windowMessage = [recorder](World& running, uint32_t message, uint64_t wParam, int64_t lParam) {
      engine::WorldLock lock(running.engine->Lock());
      recorder->Message(platform::Get().TickCount(), message, wParam, lParam);
    };
  };
}

}  // namespace

int RunFromCommandLine(int argc, char** argv, const DesktopBackendFactory& desktop) {
  Options options;
  if (auto error = ParseOptions(argc, argv, options)) {
    std::cerr << "tessaloom: " << *error << " (see --help)\n";
    return 2;
  }
  if (options.help) {
    std::cout << kUsage;
    return 0;
  }
  if (options.version) {
    std::cout << "Tessaloom 2D v1.1d\n";
    return 0;
  }
  if (!options.checkImage.empty()) return RunCheckImage(options.checkImage, options.checkImageOut);
  if (options.checkScripts) return RunCheckScripts(options.commandLine, std::cout, std::cerr);
  if (options.checkProject) return RunCheckProject(options.commandLine, options.jsonFormat, std::cout);

  if (!options.headless && !desktop) {
    std::cerr << "tessaloom: built without a desktop backend; use --headless\n";
    return 2;
  }
  std::vector<std::function<void(World&)>> afterLoading;
  bool refused = false;
  if (!options.inputFile.empty()) {
    // A folder or an unreadable file is refused, never read as an empty event list.
    auto bytes = platform::ReadWholeFile(options.inputFile);
    std::string error;
    const std::string text = bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
    if (!bytes || !platform::ParseInputEvents(text, options.headlessOptions.events, error)) {
      std::cerr << "tessaloom: " << options.inputFile << ": " << (bytes ? error : "cannot be read") << "\n";
      return 2;
    }
    // A recording replays on the clock and the screen it was made with; its window must be the
    // project's, or every pointer position would mean another place.
    if (auto header = ParseRecordingHeader(text)) {
      options.headlessOptions.clockStart = header->clock;
      options.headlessOptions.screen = header->screen;
      afterLoading.push_back([window = header->window, file = options.inputFile, &refused](World& world) {
        const config::LauncherSettings& launcher = world.config.launcher;
        if (launcher.windowWidth == window.width && launcher.windowHeight == window.height) return;
        std::cerr << "tessaloom: " << file << " was recorded in a " << window.width << "x" << window.height
                  << " window; this project's window is " << launcher.windowWidth << "x" << launcher.windowHeight
                  << "\n";
        refused = true;
        platform::Get().PostQuit(2);
      });
    }
  }
  if (!options.hudMessages.empty() || !options.testUnits.empty()) {
    afterLoading.push_back([messages = options.hudMessages, testUnits = options.testUnits](World& world) {
      engine::WorldLock lock(world.engine->Lock());
      for (const auto& text : messages) world.engine->AddHudMessage(text, 1, 0);
      AddTestUnits(*world.engine, testUnits);
    });
  }
  if (!options.recordFile.empty()) afterLoading.push_back(StartRecording(options.recordFile));
  World world;
  world.saveFolder = options.saveFolder;
  world.loadAtStart = options.loadFile;
  world.afterLoading = [steps = std::move(afterLoading)](World& loaded) {
    for (const auto& step : steps) step(loaded);
  };
  const int code = options.headless ? RunHeadless(world, options) : RunDesktop(world, options, desktop);
  platform::Install(nullptr);  // the next run in this process starts with a backend of its own
  return refused ? 2 : code;
}

}  // namespace app
