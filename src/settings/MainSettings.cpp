#include "settings/MainSettings.h"

#include <optional>
#include <utility>

#include "settings/IniFileBackend.h"

namespace {

// All settings traffic runs on the user-interface thread, so plain statics suffice.
struct State {
  SettingsBackendFactory factory;
  std::optional<SettingsStore> main;
};

State& TheState() {
  static State state;
  return state;
}

std::shared_ptr<SettingsBackend> MakeBackend(const std::string& baseKey) {
  const auto& factory = TheState().factory;
  if (factory) return factory(baseKey);
  return std::make_shared<IniFileBackend>(IniFileBackend::DefaultFolder(), baseKey);
}

}  // namespace

SettingsStore OpenSettings(const std::string& baseKey) { return SettingsStore(MakeBackend(baseKey)); }

void SetSettingsBackendFactory(SettingsBackendFactory factory) {
  TheState().factory = std::move(factory);
  TheState().main.reset();
}

void OpenMainSettings() { TheState().main.emplace(MakeBackend(kLayoutKey)); }

SettingsStore& MainSettings() {
  if (!TheState().main) OpenMainSettings();
  return *TheState().main;
}
