#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "platform/SettingsBackend.h"

// The settings of one base key kept in one INI-style file (see IniDocument for the format): the base key
// "Software\Norvale\Quillpad\Layout" lives in "Layout.ini" of the config folder.
//
// Every read reads the file afresh, so a value written by another window is seen at once. A write takes
// an advisory lock on "<file>.lock", re-reads the file under it, changes the one value, writes a temp
// file in the same folder, syncs it and renames it over the old one: two processes never lose each
// other's values, and a crash leaves the old file or the new one, never a broken one.
class IniFileBackend : public SettingsBackend {
public:
  // Creates the folder and an empty file when missing; failing that, reads give nothing and writes throw.
  IniFileBackend(const std::filesystem::path& folder, const std::string& baseKey);

  // $QUILLPAD_CONFIG_DIR, else $XDG_CONFIG_HOME/Norvale/Quillpad, else ~/.config/Norvale/Quillpad.
  static std::filesystem::path DefaultFolder();
  // "Layout.ini" for "Software\Norvale\Quillpad\Layout" and "printer.ini" for "...\printer\".
  static std::string FileNameFor(const std::string& baseKey);

  std::optional<std::string> Read(const std::string& section, const std::string& ident) override;
  void Write(const std::string& section, const std::string& ident, const std::string& value) override;

  const std::filesystem::path& FilePath() const { return file_; }

private:
  std::filesystem::path folder_;
  std::filesystem::path file_;
};
