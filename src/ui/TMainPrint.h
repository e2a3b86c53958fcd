#pragma once

class Dialogs;
class TMain;

// The main window's printing commands: "Drukuj" (menu and tool button), "Opcje wydruku" and
// "Podgląd wydruku". They act on the window's document and show their errors through dialogs.
void PrintDocumentCommand(TMain& window, Dialogs& dialogs);
void PrintOptionsCommand(TMain& window, Dialogs& dialogs);
void PrintPreviewCommand(TMain& window, Dialogs& dialogs);
