#pragma once
#include <array>
#include <string>

#include "settings/SettingsStore.h"

// The four most recently opened documents, "Document1" (newest) to "Document4" in the section
// "Opened Documents". Read afresh on every use, so several windows share the list.
class TRecentDocuments {
public:
  static constexpr int MaxOpenedDocuments = 4;
  using List = std::array<std::string, MaxOpenedDocuments>;

  explicit TRecentDocuments(SettingsStore& settings) : settings_(settings) {}

  List Read() const;
  // Puts name first and lets the oldest fall off; a name already listed (compared exactly) changes
  // nothing. True when the list changed. Throws SettingsError when the settings cannot be written.
  bool Add(const std::string& name);

private:
  SettingsStore& settings_;
};
