#include "settings/SettingsStore.h"

#include <stdexcept>
#include <utility>

SettingsStore::SettingsStore(std::shared_ptr<SettingsBackend> backend) : backend_(std::move(backend)) {
  if (!backend_) throw std::invalid_argument("SettingsStore needs a backend");
}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::int32_t> ParseSettingsInteger(const std::string& stored) {
  std::string text = stored;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.replace(0, 2, "$");
  if (text.empty()) return std::nullopt;

  if (text[0] == '$') {
    // Hexadecimal takes any 32-bit pattern, so "$FFFFFFFF" is -1 and system colours can be written in hex.
    if (text.size() == 1) return std::nullopt;
    std::uint64_t value = 0;
    for (std::size_t i = 1; i < text.size(); ++i) {
      const int d = HexDigit(text[i]);
      if (d < 0) return std::nullopt;
      value = value * 16 + static_cast<std::uint64_t>(d);
      if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  }

  std::size_t i = 0;
  const bool negative = text[0] == '-';
  if (text[0] == '-' || text[0] == '+') i = 1;
  if (i == text.size()) return std::nullopt;
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
    if (value > limit) return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

std::string SettingsStore::ReadString(const std::string& section, const std::string& ident,
                                      const std::string& def) const {
  return backend_->Read(section, ident).value_or(def);
}

std::int32_t SettingsStore::ReadInteger(const std::string& section, const std::string& ident,
                                        std::int32_t def) const {
  const auto text = backend_->Read(section, ident);
  if (!text) return def;
  return ParseSettingsInteger(*text).value_or(def);
}

bool SettingsStore::ReadBool(const std::string& section, const std::string& ident, bool def) const {
  return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void SettingsStore::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  backend_->Write(section, ident, value);
}

void SettingsStore::WriteInteger(const std::string& section, const std::string& ident, std::int32_t value) {
  WriteString(section, ident, std::to_string(value));
}

void SettingsStore::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}
