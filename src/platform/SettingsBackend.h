#pragma once
#include <optional>
#include <stdexcept>
#include <string>

// Persistent text values addressed by (section, ident) under one base key. Names compare without
// regard to case and every value keeps its text form. Reads see the latest write of any process.
class SettingsBackend {
public:
  virtual ~SettingsBackend() = default;
  // Nothing when the section or the value does not exist. Never creates anything.
  virtual std::optional<std::string> Read(const std::string& section, const std::string& ident) = 0;
  // Throws SettingsError with the user-facing message when the value cannot be stored.
  virtual void Write(const std::string& section, const std::string& ident, const std::string& value) = 0;
};

class SettingsError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};
