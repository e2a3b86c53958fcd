#include "app/EditorSettings.h"

#include "editor/TQuillEditor.h"
#include "settings/SettingsStore.h"

namespace {

constexpr const char* kEditor = "Editor";

TColor ReadColor(SettingsStore& s, const char* ident, TColor def) {
  return static_cast<TColor>(s.ReadInteger(kEditor, ident, static_cast<int>(def)));
}

}  // namespace

void ApplyEditorSettings(SettingsStore& s, TQuillEditor& editor) {
  editor.SetScroller1Size(s.ReadInteger(kEditor, "Scroller1", 5) + 1);
  editor.SetScroller2Size(s.ReadInteger(kEditor, "Scroller2", 1) + 1);
  editor.SetTabSize(s.ReadInteger(kEditor, "TabSize", 5));
  editor.SetFont(TFont{s.ReadString(kEditor, "Fontname", "FixedSys"), s.ReadInteger(kEditor, "FontSize", 12)});

  TQuillEditor::Colors& c = editor.ColorSet();
  c.TextColor = ReadColor(s, "TextForeground", 0);
  c.TagColor = ReadColor(s, "TagForeground", 0xFF0000);
  c.ShortParamColor = ReadColor(s, "ShortParamForeground", 0x000080);
  c.LongParamColor = ReadColor(s, "LongParamForeground", 0x0000FF);
  c.CommentColor = ReadColor(s, "CommentForeground", 0x808080);
  c.KeywordColor = ReadColor(s, "KeywordForeground", 0x008000);
  c.OperatorColor = ReadColor(s, "OperatorForeground", 0x000080);
  // Each background falls back to the one shared background value, then to white.
  const TColor shared = ReadColor(s, "BackgroundColor", 0xFFFFFF);
  c.BackgroundTextColor = ReadColor(s, "TextBackground", shared);
  c.BackgroundTagColor = ReadColor(s, "TagBackground", shared);
  c.BackgroundShortParamColor = ReadColor(s, "ShortparamBackground", shared);
  c.BackgroundlongParamColor = ReadColor(s, "LongParamBackground", shared);
  c.BackgroundCommentColor = ReadColor(s, "CommentBackground", shared);
  c.BackgroundKeywordColor = ReadColor(s, "KeywordBackground", shared);
  c.BackgroundOperatorColor = ReadColor(s, "OperatorBackground", shared);
  c.Color = ReadColor(s, "Background", 0xFFFFFF);

  editor.SetWordWrap(s.ReadBool(kEditor, "WordWrap", false));
  editor.SetPlainText(s.ReadBool(kEditor, "PlainText", false));
  editor.SetTextHOME(s.ReadBool(kEditor, "HOME", true));
  editor.SetTextEnter(s.ReadBool(kEditor, "ENTER", true));
  editor.SetUpperTag(false);

  TAutoClose close;
  if (s.ReadBool(kEditor, "CloseTriangleBrackets", true)) close.Include(acTriangleBracket);
  if (s.ReadBool(kEditor, "CloseRectBrackets", true)) close.Include(acRectangleBracket);
  if (s.ReadBool(kEditor, "CloseBrackets", true)) close.Include(acBracket);
  if (s.ReadBool(kEditor, "CloseSingleQuotes", true)) close.Include(acSingleQuote);
  if (s.ReadBool(kEditor, "CloseDoubleQuotes", true)) close.Include(acDoubleQuote);
  if (s.ReadBool(kEditor, "CloseCBracket", true)) close.Include(acCBracket);
  editor.SetAutoClose(close);

  TAutoFollow follow;
  if (s.ReadBool(kEditor, "ContinueLI", true)) follow.Include(afLI);
  if (s.ReadBool(kEditor, "ContinueTD", true)) follow.Include(afTD);
  if (s.ReadBool(kEditor, "ContinueOPTION", true)) follow.Include(afOPTION);
  editor.SetAutoFollow(follow);

  editor.SetLineNumbering(s.ReadBool(kEditor, "LineNumbering", true));
}
