#include "ui/DisplayCheck.h"

#include <cstdlib>

namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

}  // namespace

std::optional<std::string> MissingDisplayMessage() {
  if (IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY")) return std::nullopt;
  return "quillpad: no display found; Quillpad needs a graphical session (for headless use set "
         "QT_QPA_PLATFORM=offscreen or run it under xvfb-run).";
}
