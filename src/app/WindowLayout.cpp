#include "app/WindowLayout.h"

#include "settings/SettingsStore.h"

void SaveWindowLayout(SettingsStore& settings, const std::string& section, TWindowState state,
                      const WindowBounds& bounds) {
  if (state == TWindowState::wsNormal) {
    settings.WriteInteger(section, "Top", bounds.Top);
    settings.WriteInteger(section, "Left", bounds.Left);
    settings.WriteInteger(section, "Width", bounds.Width);
    settings.WriteInteger(section, "Height", bounds.Height);
  }
  settings.WriteInteger(section, "WindowState", static_cast<int>(state));
}

RestoredLayout ReadWindowLayout(SettingsStore& settings, const std::string& section) {
  RestoredLayout layout;
  switch (settings.ReadInteger(section, "WindowState", 0)) {
    case 1: layout.State = TWindowState::wsMinimized; break;
    case 2: layout.State = TWindowState::wsMaximized; return layout;
    default: layout.State = TWindowState::wsNormal; break;
  }
  auto bound = [&](const char* ident, bool isSize) -> std::optional<int> {
    const int v = settings.ReadInteger(section, ident, 0);
    // A negative size cannot be applied to a window; it counts as missing.
    if (v == 0 || (isSize && v < 0)) return std::nullopt;
    return v;
  };
  layout.Top = bound("Top", false);
  layout.Left = bound("Left", false);
  layout.Width = bound("Width", true);
  layout.Height = bound("Height", true);
  return layout;
}
