#pragma once
#include <array>
#include <optional>
#include <string>

#include "editor/TQuillEditor.h"
#include "platform/Color.h"

class SettingsStore;

// The editor settings the settings dialog edits, as it shows them. Reading puts every stored value
// that is out of range back to a value the dialog can show (and OK can store); writing stores them in
// the dialog's order.
struct SetupValues {
  static constexpr std::array<const char*, 6> kCloseIdents = {"CloseTriangleBrackets", "CloseBrackets",
                                                               "CloseRectBrackets",     "CloseSingleQuotes",
                                                               "CloseDoubleQuotes",     "CloseCBracket"};
  static constexpr std::array<const char*, 3> kContinueIdents = {"ContinueLI", "ContinueTD", "ContinueOPTION"};
  static constexpr std::array<const char*, 5> kCodePages = {"Windows-1250", "ISO-8859-2", "UTF-8", "Mazovia",
                                                            "CP852"};
  static constexpr int kMinFontSize = 1, kMaxFontSize = 400;

  std::string FontName = "fixedsys";
  int FontSize = 12;
  bool PlainText = false;  // the setting: true means no syntax colouring
  bool WordWrap = false, HOME = true, ENTER = true, UpChar = false, LineNumbering = true;
  std::array<bool, 6> Close{true, true, true, true, true, true};  // in kCloseIdents order
  std::array<bool, 3> Continue{true, true, true};                 // in kContinueIdents order
  int TabSize = 5;
  TQuillEditor::Colors Colors;  // the preview's colours; both PHP backgrounds share one stored value
  std::string DefaultCodePage = "Windows-1250";
  bool CreateBackup = false, OptimizeWithSave = false, AlwaysUNIX = false, RecognizeCharSet = false;
  int Scroller1 = 5, Scroller2 = 1;
  int EscKey = 0;  // 0 nothing, 1 close, 2 minimise
};

SetupValues ReadSetupValues(const SettingsStore& settings);
// Stores every value; a write that fails throws, and the values after it are not stored.
void WriteSetupValues(SettingsStore& settings, const SetupValues& values);

// A font size typed into the size box: a whole number within the limits, blanks around it allowed.
std::optional<int> ParseFontSize(const std::string& text);

// The sixteen basic colours of the colour grid, in grid order (four rows of four).
inline constexpr std::array<TColor, 16> kBasicColors = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
// The grid index of a colour; -1 when it is none of the sixteen.
int BasicColorIndex(TColor color);

// The ten colour items of the dialog's list: 0 is the window background (its "foreground" is the
// window colour itself), then text, tags, long and short parameters, comments, keywords, operators,
// PHP variables and PHP parameters.
inline constexpr int kColorItemCount = 10;
TColor& ItemForeground(TQuillEditor::Colors& colors, int item);
TColor& ItemBackground(TQuillEditor::Colors& colors, int item);

// The light (0) and dark (1) colour schemes.
void ApplyColorScheme(TQuillEditor::Colors& colors, int scheme);
// Every token background becomes the window colour.
void ApplyConstantBackground(TQuillEditor::Colors& colors);
