#include <gtest/gtest.h>

#include "config/autoexec_reader.h"
#include "config/launcher_settings.h"
#include "platform/platform.h"
#include "support/test_world.h"

namespace {

using config::ReadAutoexec;

class Autoexec : public testing_support::HeadlessWorld {
 protected:
  void WriteAutoexec(const std::string& body) { dir_.Write("Projects/autoexec.ini", "[autoexec]\n" + body); }
  void OpenWindow() {
    platform::WindowSpec window;
    window.width = 1280;
    window.height = 832;
    platform::Get().CreateMainWindow(window);
    transcript_.str("");
  }
};

TEST_F(Autoexec, MissingFileGivesOneEnglishBoxWithoutOwner) {
  EXPECT_FALSE(ReadAutoexec(config_, "", true));
  EXPECT_EQ(Transcript(),
            "0 box error owner=none caption=\"Fatal error in file autoexec.ini\" "
            "text=\"File autoexec.ini not found\" answer=ok\n");
}

TEST_F(Autoexec, LanguageWordIsReadWithoutRegardToCase) {
  const std::pair<std::string, bool> cases[] = {{"SPANISH", true}, {"english", false}, {"catalan", false}};
  for (const auto& [word, spanish] : cases) {
    ResetWorld();
    WriteAutoexec("user_interface_language=" + word + "\n");
    EXPECT_TRUE(ReadAutoexec(config_, "", true));
    EXPECT_EQ(config_.launcher.language == config::Language::Spanish, spanish) << word;
  }
}

TEST_F(Autoexec, CommandLineOverridesTheProjectNameAndIsCutTo31) {
  WriteAutoexec("project_name=FromFile\nuse_multi_thread=TRUE\n");
  EXPECT_TRUE(ReadAutoexec(config_, "MyGame", false));
  EXPECT_EQ(config_.launcher.projectName, "MyGame");
  EXPECT_TRUE(config_.launcher.multiThreadDrawing);
  EXPECT_EQ(config_.launcher.Folder(config::kFolderSpritesBots), "Projects\\MyGame\\Graphics\\Sprites_bots_units");

  ResetWorld();
  WriteAutoexec("project_name=FromFile\n");
  ReadAutoexec(config_, "\"A very long project name that goes on\"", false);
  EXPECT_EQ(config_.launcher.projectName, "\"A very long project name that ");
}

TEST_F(Autoexec, MissingProjectNameIsReportedInTheChosenLanguage) {
  WriteAutoexec("user_interface_language=spanish\n");
  ReadAutoexec(config_, "", true);
  EXPECT_FALSE(ReadAutoexec(config_, "", false));
  EXPECT_NE(Transcript().find("caption=\"Error fatal en el fichero autoexec.ini\" text=\"No se ha "
                              "encontrado el nombre del juego a cargar.\\nDebes indicarlo en la "
                              "variable 'project_name' del fichero 'autoexec.ini'.\""),
            std::string::npos)
      << Transcript();
  EXPECT_EQ(config_.launcher.Folder(config::kFolderMap), "Projects\\\\Map");
}

struct WindowCase {
  const char* value;
  int width, height;
  const char* placement;  // the window line written, or "" when the window is left alone
};

TEST_F(Autoexec, WindowSizeRuleOnA1920By1080Screen) {
  const WindowCase cases[] = {
      {"1000, 700", 960, 640, "0 window 480 220 960 640\n"},
      {"600, 900", 1280, 832, ""},
      {"3000,2000", 1920, 1024, "0 window 0 28 1920 1024\n"},
      {"1280", 1280, 832, ""},
      {"", 1280, 832, ""},
  };
  for (const auto& c : cases) {
    ResetWorld();
    Install(platform::HeadlessOptions{});
    OpenWindow();
    WriteAutoexec(std::string("project_name=P\napp_window_size=") + c.value + "\n");
    EXPECT_TRUE(ReadAutoexec(config_, "", false));
    EXPECT_EQ(config_.launcher.windowWidth, c.width) << c.value;
    EXPECT_EQ(config_.launcher.windowHeight, c.height) << c.value;
    EXPECT_EQ(Transcript(), c.placement) << c.value;
  }
}

}  // namespace
