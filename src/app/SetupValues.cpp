#include "app/SetupValues.h"

#include <algorithm>
#include <cctype>

#include "settings/SettingsStore.h"

namespace {

constexpr const char* kEditor = "Editor";

int Clamp(int value, int low, int high) { return std::clamp(value, low, high); }

// A stored colour the program can draw: a plain 0x00BBGGRR value or one of the system colours.
// Anything else (a negative number, bits above blue) gives the dialog's default.
TColor ReadColor(const SettingsStore& s, const char* ident, TColor def) {
  const auto value = static_cast<TColor>(s.ReadInteger(kEditor, ident, static_cast<std::int32_t>(def)));
  const bool plain = value <= 0xFFFFFFu;
  const bool system = (value & quill_colors::SystemBit) != 0 && (value & ~quill_colors::SystemBit) <= 30;
  return plain || system ? value : def;
}

void WriteColor(SettingsStore& s, const char* ident, TColor value) {
  s.WriteInteger(kEditor, ident, static_cast<std::int32_t>(value));
}

bool SameText(const std::string& a, const char* b) {
  return std::equal(a.begin(), a.end(), b, b + std::char_traits<char>::length(b),
                    [](char x, char y) { return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y)); });
}

}  // namespace

SetupValues ReadSetupValues(const SettingsStore& s) {
  SetupValues v;
  v.FontName = s.ReadString(kEditor, "FontName", "fixedsys");
  const int size = s.ReadInteger(kEditor, "FontSize", 12);
  v.FontSize = size >= SetupValues::kMinFontSize && size <= SetupValues::kMaxFontSize ? size : 12;
  v.PlainText = s.ReadBool(kEditor, "PlainText", false);
  v.WordWrap = s.ReadBool(kEditor, "WordWrap", false);
  v.HOME = s.ReadBool(kEditor, "HOME", true);
  v.ENTER = s.ReadBool(kEditor, "ENTER", true);
  v.UpChar = s.ReadBool(kEditor, "UpChar", false);
  v.LineNumbering = s.ReadBool(kEditor, "LineNumbering", true);
  for (std::size_t i = 0; i < v.Close.size(); ++i) v.Close[i] = s.ReadBool(kEditor, SetupValues::kCloseIdents[i], true);
  for (std::size_t i = 0; i < v.Continue.size(); ++i)
    v.Continue[i] = s.ReadBool(kEditor, SetupValues::kContinueIdents[i], true);
  v.TabSize = Clamp(s.ReadInteger(kEditor, "TabSize", 5), 2, 20);
  v.Scroller1 = Clamp(s.ReadInteger(kEditor, "Scroller1", 5), 1, 50);
  v.Scroller2 = Clamp(s.ReadInteger(kEditor, "Scroller2", 1), 1, 50);

  TQuillEditor::Colors& c = v.Colors;
  c.Color = ReadColor(s, "Background", 0xFFFFFF);
  c.TagColor = ReadColor(s, "TagForeground", 0xFF0000);
  c.TextColor = ReadColor(s, "TextForeground", 0);
  c.LongParamColor = ReadColor(s, "LongParamForeground", 0x0000FF);
  c.ShortParamColor = ReadColor(s, "ShortParamForeground", 0x000080);
  c.KeywordColor = ReadColor(s, "KeywordForeground", 0x008000);
  c.CommentColor = ReadColor(s, "CommentForeground", 0x808080);
  c.OperatorColor = ReadColor(s, "OperatorForeground", 0x000080);
  c.PHPVariableColor = ReadColor(s, "PHPVariableColor", 0x800000);
  c.PHPParameterColor = ReadColor(s, "PHPParameterColor", 0x808080);
  // Every background defaults to the window colour just read.
  c.BackgroundTextColor = ReadColor(s, "TextBackground", c.Color);
  c.BackgroundTagColor = ReadColor(s, "TagBackground", c.Color);
  c.BackgroundShortParamColor = ReadColor(s, "ShortparamBackground", c.Color);
  c.BackgroundlongParamColor = ReadColor(s, "LongParamBackground", c.Color);
  c.BackgroundCommentColor = ReadColor(s, "CommentBackground", c.Color);
  c.BackgroundKeywordColor = ReadColor(s, "KeywordBackground", c.Color);
  c.BackgroundOperatorColor = ReadColor(s, "OperatorBackGround", c.Color);
  c.BackgroundPHPVariableColor = c.BackgroundPHPParameterColor = ReadColor(s, "PHPVariableBackground", c.Color);

  // A code page the list does not hold would be stored back empty; the default is shown instead.
  const std::string page = s.ReadString(kEditor, "Default Code Page", "Windows-1250");
  v.DefaultCodePage = "Windows-1250";
  for (const char* known : SetupValues::kCodePages)
    if (SameText(page, known)) v.DefaultCodePage = known;
  v.CreateBackup = s.ReadBool(kEditor, "Create Backup", false);
  v.OptimizeWithSave = s.ReadBool(kEditor, "OptimizeWithSave", false);
  v.AlwaysUNIX = s.ReadBool(kEditor, "AlwaysUNIX", false);
  v.RecognizeCharSet = s.ReadBool(kEditor, "RecognizeCharSet", false);
  const int esc = s.ReadInteger(kEditor, "ESC Key", 0);
  v.EscKey = esc >= 0 && esc <= 2 ? esc : 0;
  return v;
}

void WriteSetupValues(SettingsStore& s, const SetupValues& v) {
  s.WriteBool(kEditor, "OptimizeWithSave", v.OptimizeWithSave);
  s.WriteInteger(kEditor, "ESC Key", v.EscKey);
  s.WriteString(kEditor, "Default Code Page", v.DefaultCodePage);
  s.WriteBool(kEditor, "Create Backup", v.CreateBackup);
  s.WriteInteger(kEditor, "Scroller1", v.Scroller1);
  s.WriteInteger(kEditor, "Scroller2", v.Scroller2);
  s.WriteInteger(kEditor, "TabSize", v.TabSize);
  s.WriteBool(kEditor, "WordWrap", v.WordWrap);
  s.WriteBool(kEditor, "PlainText", v.PlainText);
  s.WriteBool(kEditor, "HOME", v.HOME);
  s.WriteBool(kEditor, "ENTER", v.ENTER);
  s.WriteBool(kEditor, "UpChar", v.UpChar);
  s.WriteBool(kEditor, "LineNumbering", v.LineNumbering);
  for (std::size_t i = 0; i < v.Close.size(); ++i) s.WriteBool(kEditor, SetupValues::kCloseIdents[i], v.Close[i]);
  for (std::size_t i = 0; i < v.Continue.size(); ++i)
    s.WriteBool(kEditor, SetupValues::kContinueIdents[i], v.Continue[i]);
  s.WriteString(kEditor, "FontName", v.FontName);
  s.WriteInteger(kEditor, "FontSize", v.FontSize);

  const TQuillEditor::Colors& c = v.Colors;
  WriteColor(s, "Background", c.Color);
  WriteColor(s, "TagForeground", c.TagColor);
  WriteColor(s, "TextForeground", c.TextColor);
  WriteColor(s, "LongParamForeground", c.LongParamColor);
  WriteColor(s, "ShortParamForeground", c.ShortParamColor);
  WriteColor(s, "KeywordForeground", c.KeywordColor);
  WriteColor(s, "CommentForeground", c.CommentColor);
  WriteColor(s, "OperatorForeground", c.OperatorColor);
  WriteColor(s, "PHPVariableColor", c.PHPVariableColor);
  WriteColor(s, "PHPParameterColor", c.PHPParameterColor);
  // One stored value serves both PHP backgrounds; the parameter one is what is kept.
  WriteColor(s, "PHPVariableBackground", c.BackgroundPHPParameterColor);
  WriteColor(s, "TagBackground", c.BackgroundTagColor);
  WriteColor(s, "TextBackground", c.BackgroundTextColor);
  WriteColor(s, "LongParamBackground", c.BackgroundlongParamColor);
  WriteColor(s, "ShortparamBackground", c.BackgroundShortParamColor);
  WriteColor(s, "KeywordBackground", c.BackgroundKeywordColor);
  WriteColor(s, "CommentBackground", c.BackgroundCommentColor);
  WriteColor(s, "OperatorBackground", c.BackgroundOperatorColor);
  s.WriteBool(kEditor, "AlwaysUNIX", v.AlwaysUNIX);
  s.WriteBool(kEditor, "RecognizeCharSet", v.RecognizeCharSet);
}

std::optional<int> ParseFontSize(const std::string& text) {
  std::size_t i = text.find_first_not_of(" \t");
  const std::size_t end = text.find_last_not_of(" \t");
  if (i == std::string::npos) return std::nullopt;
  if (text[i] == '+') ++i;
  if (i > end || end - i >= 4) return std::nullopt;  // more than three digits is out of range anyway
  int value = 0;
  for (; i <= end; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  if (value < SetupValues::kMinFontSize || value > SetupValues::kMaxFontSize) return std::nullopt;
  return value;
}

int BasicColorIndex(TColor color) {
  const auto* it = std::find(kBasicColors.begin(), kBasicColors.end(), color);
  return it == kBasicColors.end() ? -1 : static_cast<int>(it - kBasicColors.begin());
}

TColor& ItemForeground(TQuillEditor::Colors& c, int item) {
  switch (item) {
    case 1: return c.TextColor;
    case 2: return c.TagColor;
    case 3: return c.LongParamColor;
    case 4: return c.ShortParamColor;
    case 5: return c.CommentColor;
    case 6: return c.KeywordColor;
    case 7: return c.OperatorColor;
    case 8: return c.PHPVariableColor;
    case 9: return c.PHPParameterColor;
    default: return c.Color;
  }
}

TColor& ItemBackground(TQuillEditor::Colors& c, int item) {
  switch (item) {
    case 1: return c.BackgroundTextColor;
    case 2: return c.BackgroundTagColor;
    case 3: return c.BackgroundlongParamColor;
    case 4: return c.BackgroundShortParamColor;
    case 5: return c.BackgroundCommentColor;
    case 6: return c.BackgroundKeywordColor;
    case 7: return c.BackgroundOperatorColor;
    case 8: return c.BackgroundPHPVariableColor;
    case 9: return c.BackgroundPHPParameterColor;
    default: return c.Color;
  }
}

void ApplyColorScheme(TQuillEditor::Colors& c, int scheme) {
  const bool dark = scheme == 1;
  c.Color = dark ? 0x000000 : 0xFFFFFF;
  c.TagColor = dark ? 0x00FFFF : 0xFF0000;
  c.TextColor = dark ? 0xFFFFFF : 0x000000;
  c.LongParamColor = dark ? 0xFFFF00 : 0x0000FF;
  c.ShortParamColor = dark ? 0x00FF00 : 0x000080;
  c.KeywordColor = dark ? 0xFF00FF : 0x008000;
  c.CommentColor = dark ? 0xC0C0C0 : 0x808080;
  c.OperatorColor = 0x000080;
  c.PHPVariableColor = 0x800000;
  c.PHPParameterColor = 0x808080;
  ApplyConstantBackground(c);
}

void ApplyConstantBackground(TQuillEditor::Colors& c) {
  // Operators too: the box promises that every background follows the window.
  for (int item = 1; item < kColorItemCount; ++item) ItemBackground(c, item) = c.Color;
}
