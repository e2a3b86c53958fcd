#pragma once

class QMainWindow;

// Keyboard access to the menus as Linux desktops expect it: an Alt+letter mnemonic on every top-level
// menu (none colliding, in either language) and F10 opening the first menu.
void AddMenuMnemonics(QMainWindow* window, int language);
void AddMenuBarKey(QMainWindow* window);

// Qt's own texts (message-box buttons, file dialogs) in the interface language: 1 is Polish.
void InstallQtTranslations(int language);
