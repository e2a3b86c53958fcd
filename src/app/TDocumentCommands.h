#pragma once
#include <optional>
#include <string>

#include "app/DocumentEditor.h"
#include "app/DocumentWindow.h"
#include "platform/Dialogs.h"
#include "settings/SettingsStore.h"

// The main window's file commands: new, open, save, save as (also with UNIX line ends), the question
// before a changed document is dropped, the document's code page and its commands, the clean-up of the
// text, and the recent-document and favourite lists. Questions go through Dialogs, settings are read
// afresh at each use, and what only the window can show goes through DocumentWindow.
//
// Saving never destroys the old file before the new contents are safely on disk, and a file that cannot
// be read leaves the current document as it was.
class TDocumentCommands {
public:
  // The items of the "Strona kodowa" submenu.
  enum class CodePageCommand { Iso88592, Windows1250, Utf8, Cp852, Mazovia, AmigaPL };

  TDocumentCommands(DocumentEditor& editor, Dialogs& dialogs, SettingsStore& settings, DocumentWindow& window);

  // The code page of the open document, as found when it was opened or as chosen since; empty at first.
  const std::string& DocumentCodePage() const { return documentCodePage_; }
  // The folder the open dialog starts in (the save dialog too, for a document without a name).
  void SetOpenDialogFolder(const std::string& folder) { openDialogFolder_ = folder; }

  // True when the document may be dropped: it is unchanged, the user does not want it saved, or it has
  // been saved now.
  bool QuerySaveDocument();
  // False when the user kept the current document.
  bool NewDocument();
  // The open dialog; its ISO-8859-2 and Windows-1250 filters (3 and 4) force that code page.
  void OpenCommand();
  void OpenDocument(const std::string& name);
  void OpenDocumentAs(const std::string& name, const std::string& codePage);
  // False when the document has no name yet or the file could not be written.
  bool SaveDocument();
  void SaveDocumentAs();
  void SaveDocumentAsUnix();
  // "Optymalizuj dokument": removes trailing blanks and reports the sizes before and after.
  void OptimizeDocument();
  void ChooseCodePage(CodePageCommand command);
  // "Usuń znaki narodowe" on the selection.
  void RemoveNationalCharactersFromSelection();

  // The file's contents with CR LF line ends: empty for a missing file, nothing (after the message) for
  // one that cannot be read.
  std::optional<std::string> ReadTextFile(const std::string& name);
  // Reports a failure with the message box; the old file (and its backup) then stay as they were.
  bool WriteTextFile(const std::string& name, const std::string& bytes,
                     const std::optional<std::string>& backupPath = std::nullopt);

  void AddOpenedDocument(const std::string& name);
  void RefreshOpenedDocuments();
  // Adds name to the favourites (when given) and rebuilds the favourites menu.
  void AddFavourite(const std::optional<std::string>& name = std::nullopt);
  // "Dodaj do ulubionych": the current document, when it is a file that exists.
  void AddToFavourites();

private:
  void LoadDocument(const std::string& name, const std::optional<std::string>& forcedCodePage);
  void SaveAs(bool unixLineEnds);
  std::string TextForSaving() const;
  // Characters outside Windows-1250 become marks only in a document that is saved as UTF-8.
  void UpdateKeepForeign();
  std::string DefaultCodePage() const;
  std::optional<std::string> BackupPathFor(const std::string& name) const;
  std::string Text(int id) const;

  DocumentEditor& editor_;
  Dialogs& dialogs_;
  SettingsStore& settings_;
  DocumentWindow& window_;
  std::string documentCodePage_;
  std::string openDialogFolder_;
  int openFilterIndex_ = 1;
  int saveFilterIndex_ = 1;
};
