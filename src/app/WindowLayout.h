#pragma once
#include <optional>
#include <string>

class SettingsStore;

// The remembered place of a window, kept in the settings section named after the window.
// "WindowState" is 0 normal, 1 minimised, 2 maximised; "Top", "Left", "Width", "Height" are pixels.
enum class TWindowState { wsNormal = 0, wsMinimized = 1, wsMaximized = 2 };

struct WindowBounds {
  int Top = 0, Left = 0, Width = 0, Height = 0;
};

// The state is always written; the bounds only while the window is normal, so a maximised or
// minimised close keeps the normal bounds stored earlier.
void SaveWindowLayout(SettingsStore& settings, const std::string& section, TWindowState state,
                      const WindowBounds& bounds);

// What to restore: the state, and each bound that is to be applied. A bound read as 0 is not applied
// (the window keeps its own value on that axis), nor is a negative width or height, and none is
// applied to a maximised window.
struct RestoredLayout {
  TWindowState State = TWindowState::wsNormal;
  std::optional<int> Top, Left, Width, Height;
};
RestoredLayout ReadWindowLayout(SettingsStore& settings, const std::string& section);
