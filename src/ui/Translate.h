#pragma once

class QAction;
class QWidget;

// Forms carry their texts as "#<id>#<reminder>"; these replace every such text by the language
// table's text of that id in the interface language. Texts of any other form stay as they are.

// Every item of a menu bar or menu, and of its submenus depth first.
void TranslateMenu(QWidget* menu);
// One action: its text and its tool tip.
void TranslateAction(QAction* action);
// A control and everything it holds: first the controls inside it, in order, then its own texts
// (title or caption, button and label texts, combo and list items, tab captions, tool bar actions).
// Menus go through TranslateMenu.
void TranslateControl(QWidget* control);
