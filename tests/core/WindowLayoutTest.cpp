#include <gtest/gtest.h>

#include <tuple>

#include "app/WindowLayout.h"
#include "fakes/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"

namespace {

struct Fixture {
  std::shared_ptr<MemorySettingsBackend> backend = std::make_shared<MemorySettingsBackend>();
  SettingsStore store{backend};
};

}  // namespace

// A normal close stores the bounds and the state; a maximised or minimised one only the state.
TEST(WindowLayout, MaximisedOrMinimisedCloseKeepsTheNormalBounds) {
  for (TWindowState state : {TWindowState::wsMaximized, TWindowState::wsMinimized}) {
    Fixture f;
    SaveWindowLayout(f.store, "Main", TWindowState::wsNormal, WindowBounds{10, 20, 640, 480});
    EXPECT_EQ(f.store.ReadString("Main", "WindowState", ""), "0");
    SaveWindowLayout(f.store, "Main", state, WindowBounds{0, 0, 1920, 1080});
    EXPECT_EQ(f.backend->Count(), 5u);
    EXPECT_EQ(f.store.ReadInteger("Main", "WindowState", -1), static_cast<int>(state));
    const std::pair<const char*, int> kept[] = {{"Top", 10}, {"Left", 20}, {"Width", 640}, {"Height", 480}};
    for (const auto& [ident, value] : kept) EXPECT_EQ(f.store.ReadInteger("Main", ident, -1), value) << ident;
  }
  Fixture fresh;
  SaveWindowLayout(fresh.store, "Main", TWindowState::wsMaximized, WindowBounds{1, 2, 3, 4});
  EXPECT_EQ(fresh.backend->Count(), 1u);
  EXPECT_EQ(fresh.store.ReadString("Main", "WindowState", ""), "2");
}

TEST(WindowLayout, RestoreAppliesOnlyNonZeroBoundsOfANonMaximisedWindow) {
  const struct { const char *state, *top, *left, *width, *height; TWindowState expectState;
                 std::optional<int> top_, left_, width_, height_; } cases[] = {
      {"0", "10", "20", "640", "480", TWindowState::wsNormal, 10, 20, 640, 480},
      {"0", "10", "0", "640", "480", TWindowState::wsNormal, 10, std::nullopt, 640, 480},
      {nullptr, nullptr, nullptr, nullptr, nullptr, TWindowState::wsNormal, std::nullopt, std::nullopt, std::nullopt,
       std::nullopt},
      {"2", "10", "20", "640", "480", TWindowState::wsMaximized, std::nullopt, std::nullopt, std::nullopt, std::nullopt},
      {"1", "-5", "20", "640", "480", TWindowState::wsMinimized, -5, 20, 640, 480},
      {"0", "10", "20", "-640", "abc", TWindowState::wsNormal, 10, 20, std::nullopt, std::nullopt},
      {"7", "10", "20", "640", "480", TWindowState::wsNormal, 10, 20, 640, 480},
  };
  for (const auto& c : cases) {
    Fixture f;
    const std::pair<const char*, const char*> values[] = {
        {"WindowState", c.state}, {"Top", c.top}, {"Left", c.left}, {"Width", c.width}, {"Height", c.height}};
    for (const auto& [ident, value] : values)
      if (value != nullptr) f.store.WriteString("Main", ident, value);
    const RestoredLayout r = ReadWindowLayout(f.store, "Main");
    EXPECT_EQ(std::tie(r.State, r.Top, r.Left, r.Width, r.Height),
              std::tie(c.expectState, c.top_, c.left_, c.width_, c.height_)) << c.state << " " << c.left;
  }
}
