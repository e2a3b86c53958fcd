#pragma once
#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/DocumentWindow.h"
#include "editor/EditorTypes.h"

class Dialogs;
class QAction;
class QActionGroup;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QToolBar;
class QuillEditorWidget;
class SettingsStore;
class Shell;
class TDocumentCommands;
class TQuillEditor;
class TQuillEditorDocument;

// The main window: menus, tool bars, the editor, the colour bar and the status bar, and the commands
// that belong to the window as a whole. Its stored name, "Main", names the settings section of its
// layout. Every text is translated when the window is created.
class TMain : public QMainWindow, public DocumentWindow {
  Q_OBJECT
public:
  // defaultLanguage is the interface language when none is stored (Polish, unless the first-run
  // choice could not be stored).
  TMain(SettingsStore& settings, Dialogs& dialogs, Shell& shell, std::vector<std::string> arguments,
        int defaultLanguage = 1, QWidget* parent = nullptr);
  ~TMain() override;

  // The editor exists from the first show on; null before.
  QuillEditorWidget* EditorWidget() const { return editorWidget_; }
  TQuillEditor* Editor() const;

  // The document commands (open, save, code pages, recent files, favourites); null before the editor.
  TDocumentCommands* Documents() const { return documents_.get(); }
  // The code page of the open document; empty for a new window.
  std::string DocumentCodePage() const;

  // Operations the other commands use. Before the editor exists there is no document to keep.
  bool QuerySaveDocument();
  void OpenDocument(const std::string& fileName);
  void ApplySettings();
  void ShowTipOfTheDay(int firstId, int lastId);

  // DocumentWindow
  void UpdateTitle(const std::string& fileName, const std::string& codePage) override;
  void ShowAppCaption() override;
  void ShowRecentDocuments(const std::array<std::string, 4>& fileNames) override;
  void ShowFavourites(const std::vector<FavouriteItem>& items) override;

  // How the application ends on Exit; tests replace it.
  std::function<void()> Terminate;

  QMenu* SelectMenu() const { return select_; }
  QMenu* UnSelectMenu() const { return unSelect_; }

protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

private:
  // Building (TMainMenus.cpp, TMainBars.cpp).
  void CreateMainMenu();
  void CreatePopupMenus();
  void CreateToolBars();
  void CreateColorBar(QWidget* parent);
  void CreateStatusBar();
  QAction* AddItem(QWidget* menu, const char* name, const char* caption, const char* shortcut = nullptr);
  QMenu* AddSubmenu(QWidget* menu, const char* name, const char* caption);
  void WireCommands();

  // Showing, closing, layout (TMain.cpp).
  void FormShow();
  void CreateEditor();
  void FindHelpFile();
  void RestoreLayout();
  void SaveLayout();
  void OpenCommandLineDocument();

  // Editor events.
  void EditorUpdateCaret(int line, int character);
  void EditorModified(bool modified);
  void EditorColorSetChange(TColorStyle style);
  void EditorKeyPress(char& key);

  // Commands (TMainCommands.cpp).
  void Zakocz1Click();
  void Zapisz1Click();
  void Uruchom1Click();
  void Organizujulubione1Click();
  void Ustawienia1Click();  // TMainSetup.cpp
  void Okno1Click();
  void LanguageClick(int language);
  void HighlighterClick(QAction* item);
  void ToggleSetting(QAction* item, const char* section, const char* ident);
  void ApplyToggle(QAction* item, bool value);
  void Zawszenawierzchu1Click();
  void Pomoc2Click();
  void Oprogramie1Click();
  void OpenOrSay(const std::string& target);
  void LogoClick();
  void UnSelectAboutToShow();
  void BookmarkClick(QAction* item, int kind);
  // HTML and text commands (TMainHtml.cpp).
  void WireHtmlCommands();
  void PrepareLinkItems();
  // Runs a command; an error it raises is shown in a message box instead of ending the program.
  void Run(const std::function<void()>& command);

  SettingsStore& settings_;
  Dialogs& dialogs_;
  Shell& shell_;
  std::vector<std::string> arguments_;
  bool shown_ = false;

  QuillEditorWidget* editorWidget_ = nullptr;
  std::unique_ptr<TQuillEditorDocument> document_;
  std::unique_ptr<TDocumentCommands> documents_;
  std::vector<QAction*> favouriteItems_;
  QFrame* editorArea_ = nullptr;
  QToolBar* mainBar_ = nullptr;
  QToolBar* htmlBar_ = nullptr;
  QWidget* colorBar_ = nullptr;
  QComboBox* htmlTags_ = nullptr;
  QLabel* logo_ = nullptr;
  QLabel* panels_[3] = {nullptr, nullptr, nullptr};
  QTimer timer1_;
  QMenu* select_ = nullptr;
  QMenu* unSelect_ = nullptr;
  QActionGroup* highlighters_ = nullptr;
};
