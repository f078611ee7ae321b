// Three games of the demo, story and scripts included, alive at once in one process and stepped
// pass by pass on one virtual clock: two are given the same input and must end in the same state,
// the third is given other input and must not. Whatever the worlds shared would leak from one
// into another and break the first comparison or blur the second.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/main_window.h"
#include "app/state_dump.h"
#include "app/win_main.h"
#include "app/world.h"
#include "engine/orvanta_engine.h"
#include "platform/headless_platform.h"
#include "platform/platform.h"
#include "support/test_world.h"
#include "units/game_unit.h"

namespace {

using testing_support::HeadlessWorld;

// The opening's camera is back over the squad at (3300, 3450) and its picture waits for a click
// from 2.7 s on: the picture is clicked away, Mira (map 4000, 3936) chosen and walked along the
// plaza to the window's x (east of her at 1100, west at 500).
std::string WalkMiraTo(int x) {
  const std::string to = std::to_string(x) + " 586\n";
  return "2800 ldown 20 20\n2810 lup 20 20\n2900 ldown 800 586\n2910 lup 800 586\n3000 rdown " + to + "3010 rup " + to;
}
constexpr int kPasses = 500;  // five virtual seconds

// One game and the input it is given, delivered as the window would deliver it.
struct Game {
  app::World world;
  std::vector<platform::InputEvent> input;
  std::size_t next = 0;

  void DeliverDue(uint32_t elapsedMs) {
    for (; next < input.size() && input[next].ms <= elapsedMs; ++next) {
      const platform::Message& m = input[next].message;
      app::WindowProcedure(world, m.id, m.wParam, m.lParam);
    }
  }
};

class TwoWorlds : public HeadlessWorld {
 protected:
  void SetUp() override {
    HeadlessWorld::SetUp();
    testing_support::UseDemoProject(dir_, "project_name=Demo\n");
  }

  std::unique_ptr<Game> Load(const std::string& inputText) {
    auto game = std::make_unique<Game>();
    std::string error;
    EXPECT_TRUE(platform::ParseInputEvents(inputText, game->input, error)) << error;
    EXPECT_TRUE(app::LoadGame(game->world, "")) << Transcript();
    return game;
  }

  // The passes of one game loop that steps every game in turn: each takes its input now due,
  // then updates and draws. The main thread idles in the message loop meanwhile, as it does in
  // a run, until the pass limit ends it.
  void Play(const std::vector<Game*>& games) {
    platform::Platform& os = platform::Get();
    os.GameLoopStarting();
    std::thread loop([&] {
      while (os.BeginFrame()) {
        for (Game* game : games) {
          game->DeliverDue(headless_->ElapsedMs());
          game->world.engine->Update();
          game->world.engine->Render();
        }
        os.EndFrame();
      }
    });
    platform::Message message;
    while (os.GetMessage(message)) {
    }
    os.GameLoopStopping();
    loop.join();
  }
};

TEST_F(TwoWorlds, SameInputGivesTheSameWorldAndOtherInputAnother) {
  platform::HeadlessOptions options;
  options.frames = kPasses;
  Install(options);
  std::unique_ptr<Game> first = Load(WalkMiraTo(1100));
  std::unique_ptr<Game> second = Load(WalkMiraTo(1100));
  std::unique_ptr<Game> third = Load(WalkMiraTo(500));
  ASSERT_FALSE(HasFailure());
  Play({first.get(), second.get(), third.get()});

  const std::string dumps[] = {app::StateDumpJson(first->world), app::StateDumpJson(second->world),
                               app::StateDumpJson(third->world)};
  EXPECT_EQ(dumps[0], dumps[1]);
  EXPECT_NE(dumps[0], dumps[2]);
  // The input reached each world: Mira walked east in one and west in the other.
  const auto miraX = [](const app::World& world) {
    engine::WorldLock lock(world.engine->Lock());
    for (int i = 0; i < world.engine->PlayerCount(); ++i) {
      if (world.engine->PlayerAt(i)->IdentifierName() == "Mira") return world.engine->PlayerAt(i)->x;
    }
    return -1;
  };
  EXPECT_GT(miraX(first->world), miraX(third->world) + 100);
  for (Game* game : {first.get(), second.get(), third.get()}) app::ShutdownGame(game->world);
}

}  // namespace
