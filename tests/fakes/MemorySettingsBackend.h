#pragma once
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/SettingsBackend.h"
#include "settings/MainSettings.h"

// Settings held in memory, with names compared without regard to ASCII case like the real store.
class MemorySettingsBackend : public SettingsBackend {
public:
  std::optional<std::string> Read(const std::string& section, const std::string& ident) override {
    const auto it = values_.find(Key(section, ident));
    if (it == values_.end()) return std::nullopt;
    return it->second;
  }
  void Write(const std::string& section, const std::string& ident, const std::string& value) override {
    if (failWrites_) throw SettingsError("Failed to set data for '" + ident + "'");
    values_[Key(section, ident)] = value;
  }

  // Makes every later write throw, as a store on a broken disk would.
  void SetFailWrites(bool fail) { failWrites_ = fail; }
  std::size_t Count() const { return values_.size(); }

private:
  static std::pair<std::string, std::string> Key(std::string section, std::string ident) {
    for (char& c : section) c = Lower(c);
    for (char& c : ident) c = Lower(c);
    return {std::move(section), std::move(ident)};
  }
  static char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

  std::map<std::pair<std::string, std::string>, std::string> values_;
  bool failWrites_ = false;
};

// For the life of a test: every base key, MainSettings included, is one in-memory backend per key, so
// stores opened on the same key share their values. Afterwards the INI files are back.
class ScopedMemorySettings {
public:
  ScopedMemorySettings() {
    SetSettingsBackendFactory([this](const std::string& baseKey) { return Backend(baseKey); });
  }
  ScopedMemorySettings(const ScopedMemorySettings&) = delete;
  ScopedMemorySettings& operator=(const ScopedMemorySettings&) = delete;
  ~ScopedMemorySettings() { SetSettingsBackendFactory(nullptr); }

  std::shared_ptr<MemorySettingsBackend> Backend(const std::string& baseKey) {
    auto& b = backends_[baseKey];
    if (!b) b = std::make_shared<MemorySettingsBackend>();
    return b;
  }

private:
  std::map<std::string, std::shared_ptr<MemorySettingsBackend>> backends_;
};
