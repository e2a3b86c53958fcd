#pragma once
#include <memory>
#include <string>

#include "editor/TQuillEditor.h"
#include "fakes/FakeEditorHost.h"

// An editor in a fake window of `columns` x `rows` characters of the 8 x 16 fixed-pitch canvas.
struct EditorFixture {
  FakeEditorHost host;
  std::unique_ptr<TQuillEditor> editor;

  explicit EditorFixture(int columns = 80, int rows = 25) {
    host.width = TQuillEditor::GutterWidth + columns * host.canvas.charWidth;
    host.height = rows * host.canvas.cellHeight;
    editor = std::make_unique<TQuillEditor>(&host);
    editor->HandleCreated();
  }
  TQuillEditor& operator*() { return *editor; }
  TQuillEditor* operator->() { return editor.get(); }
};

// Selects [start, start + length) the way the hosts do.
inline void Select(TQuillEditor& e, int start, int length) {
  e.SetSelStart(start);
  e.SetSelLength(length);
}

// Typed characters, one key press each.
inline void Type(TQuillEditor& e, const std::string& s) {
  for (char c : s) e.KeyPress(c);
}

inline void Key(TQuillEditor& e, int key, TShiftState shift = {}) { e.KeyDown(key, shift); }

inline void Undo(TQuillEditor& e, int times) {
  for (int i = 0; i < times; ++i) e.Undo();
}
