#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/SettingsBackend.h"

// Section/value access to the settings under one base key, with the caller's default at every read.
// Every value is stored as text; integers and booleans are written in decimal. Nothing is cached here:
// each read asks the backend, so a value written by another window is seen at once.
class SettingsStore {
public:
  explicit SettingsStore(std::shared_ptr<SettingsBackend> backend);

  std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) const;
  // Decimal with an optional sign, or hexadecimal after "$" or "0x"/"0X". Anything else, and any number
  // outside 32 bits, gives def.
  std::int32_t ReadInteger(const std::string& section, const std::string& ident, std::int32_t def) const;
  bool ReadBool(const std::string& section, const std::string& ident, bool def) const;

  // The writers throw SettingsError when the value cannot be stored.
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& ident, std::int32_t value);
  void WriteBool(const std::string& section, const std::string& ident, bool value);

  SettingsBackend& Backend() const { return *backend_; }

private:
  std::shared_ptr<SettingsBackend> backend_;
};

// The integer a stored text stands for, as ReadInteger reads it; nothing when it is not a number.
std::optional<std::int32_t> ParseSettingsInteger(const std::string& text);
