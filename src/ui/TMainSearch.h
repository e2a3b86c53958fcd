#pragma once
#include <QObject>
#include <memory>

class Dialogs;
class EditorSearchTarget;
class Shell;
class TFindDialog;
class TMain;
class TReplaceDialog;
class TSearchCommands;
class TSearchRegular;

// The main window's search menu: find, the pattern search, find next and replace, with their dialogs.
// A child of the window; the dialogs are made on first use and kept, with their texts, while it lives.
class TMainSearch : public QObject {
  Q_OBJECT
public:
  TMainSearch(TMain& main, Dialogs& dialogs, Shell& shell);
  ~TMainSearch() override;

  void Znajd1Click();
  void Znajdwyraenieregularne1Click();
  void Znajdnastpny1Click();
  void Zastp1Click();

  TFindDialog* FindDialog1();
  TReplaceDialog* ReplaceDialog1();
  TSearchRegular* SearchRegular();

private:
  // The commands act on the editor, which exists from the window's first show; null before.
  TSearchCommands* Commands();

  TMain& main_;
  Dialogs& dialogs_;
  Shell& shell_;
  std::unique_ptr<EditorSearchTarget> target_;
  std::unique_ptr<TSearchCommands> commands_;
  TFindDialog* findDialog_ = nullptr;
  TReplaceDialog* replaceDialog_ = nullptr;
  TSearchRegular* searchRegular_ = nullptr;
};
