#pragma once

class SettingsStore;
class TQuillEditor;

// Applies section "Editor" of the settings to the main window's editor, in the order the window's
// settings step uses: wheel sizes, tab size, font, colours, background, word wrap, plain text, Home
// and Enter aids, tag case, the auto-close and auto-continue sets, line numbers. Every value falls
// back to its default when missing or malformed.
void ApplyEditorSettings(SettingsStore& settings, TQuillEditor& editor);
