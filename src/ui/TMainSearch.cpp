#include "ui/TMainSearch.h"

#include <QAction>

#include "search/EditorSearchTarget.h"
#include "search/TSearchCommands.h"
#include "ui/TFindDialogs.h"
#include "ui/TMain.h"
#include "ui/TSearchRegular.h"

TMainSearch::TMainSearch(TMain& main, Dialogs& dialogs, Shell& shell)
    : QObject(&main), main_(main), dialogs_(dialogs), shell_(shell) {
  setObjectName(QStringLiteral("Search"));
  auto on = [this](const char* name, void (TMainSearch::*handler)()) {
    if (QAction* item = main_.findChild<QAction*>(QString::fromLatin1(name)))
      connect(item, &QAction::triggered, this, handler);
  };
  on("Znajd1", &TMainSearch::Znajd1Click);
  on("Znajdwyraenieregularne1", &TMainSearch::Znajdwyraenieregularne1Click);
  on("Znajdnastpny1", &TMainSearch::Znajdnastpny1Click);
  on("Zastp1", &TMainSearch::Zastp1Click);
}

TMainSearch::~TMainSearch() = default;

TSearchCommands* TMainSearch::Commands() {
  if (!commands_ && main_.Editor() != nullptr) {
    target_ = std::make_unique<EditorSearchTarget>(*main_.Editor());
    commands_ = std::make_unique<TSearchCommands>(*target_, dialogs_);
  }
  return commands_.get();
}

namespace {

// F3 works while a search dialog is the active window too.
void AddFindNextKey(TMain& main, QWidget* dialog) {
  if (QAction* item = main.findChild<QAction*>(QStringLiteral("Znajdnastpny1"))) dialog->addAction(item);
}

}  // namespace

TFindDialog* TMainSearch::FindDialog1() {
  if (findDialog_ == nullptr) {
    findDialog_ = new TFindDialog(&main_);
    AddFindNextKey(main_, findDialog_);
    findDialog_->OnFind = [this] {
      if (TSearchCommands* commands = Commands()) commands->FindDialogFind(findDialog_->Options());
    };
  }
  return findDialog_;
}

TReplaceDialog* TMainSearch::ReplaceDialog1() {
  if (replaceDialog_ == nullptr) {
    replaceDialog_ = new TReplaceDialog(&main_);
    AddFindNextKey(main_, replaceDialog_);
    replaceDialog_->OnFind = [this] {
      if (TSearchCommands* commands = Commands()) commands->ReplaceDialogFind(replaceDialog_->Options());
    };
    replaceDialog_->OnReplace = [this](bool all) {
      if (TSearchCommands* commands = Commands()) commands->ReplaceDialogReplace(replaceDialog_->Options(), all);
    };
  }
  return replaceDialog_;
}

TSearchRegular* TMainSearch::SearchRegular() {
  if (searchRegular_ == nullptr) searchRegular_ = new TSearchRegular(shell_, &main_);
  return searchRegular_;
}

namespace {

void ShowNonModal(QWidget* dialog) {
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
}

}  // namespace

void TMainSearch::Znajd1Click() { ShowNonModal(FindDialog1()); }

void TMainSearch::Zastp1Click() { ShowNonModal(ReplaceDialog1()); }

void TMainSearch::Znajdwyraenieregularne1Click() {
  TSearchCommands* commands = Commands();
  if (commands == nullptr) return;
  if (SearchRegular()->exec() != QDialog::Accepted) return;
  commands->PatternDialogAccepted(searchRegular_->Pattern());
}

void TMainSearch::Znajdnastpny1Click() {
  TSearchCommands* commands = Commands();
  if (commands == nullptr) return;
  const std::string pattern = searchRegular_ != nullptr ? searchRegular_->Pattern() : std::string();
  if (!commands->FindNext(FindDialog1()->Options(), pattern)) Znajd1Click();
}
