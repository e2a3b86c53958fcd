#pragma once
#include <functional>
#include <memory>
#include <string>

#include "settings/SettingsStore.h"

// The program's two base keys.
inline constexpr const char* kLayoutKey = "Software\\Norvale\\Quillpad\\Layout";
inline constexpr const char* kPrinterKey = "Software\\Norvale\\Quillpad\\printer\\";

// Makes the backend of a base key. The program uses INI files in the config folder; tests substitute
// in-memory backends.
using SettingsBackendFactory = std::function<std::shared_ptr<SettingsBackend>(const std::string& baseKey)>;

// A fresh store on a base key (the printer key is opened this way for each use).
SettingsStore OpenSettings(const std::string& baseKey);

// Replaces the factory; an empty function restores the INI files. MainSettings is closed, and the next
// call reopens it through the new factory.
void SetSettingsBackendFactory(SettingsBackendFactory factory);

// Opens MainSettings on the Layout key; the program calls it at start-up before any window exists.
void OpenMainSettings();

// The process-wide store on the Layout key, kept for the life of the process. Opened on first use if
// start-up has not opened it yet.
SettingsStore& MainSettings();
