// The main window's commands: which items do what, and which wait for their work to exist.
#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QMenu>
#include <QToolBar>
#include <QWidget>

#include "app/LangTable.h"
#include "app/MainWindowLogic.h"
#include "editor/TQuillEditor.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "settings/SettingsStore.h"
#include "ui/ApplicationState.h"
#include "ui/QuillEditorWidget.h"
#include "app/TDocumentCommands.h"
#include "ui/TAbout.h"
#include "ui/TMainSearch.h"
#include "ui/TRemoveFavorities.h"
#include "ui/TMain.h"
#include "ui/TMainPrint.h"

void TMain::WireCommands() {
  auto on = [this](const char* name, std::function<void()> command) {
    QAction* item = findChild<QAction*>(QString::fromLatin1(name));
    connect(item, &QAction::triggered, this, [this, command = std::move(command)] { Run(command); });
  };
  // Editor operations; before the editor exists there is nothing to act on.
  auto onEditor = [this, &on](const char* name, void (TQuillEditor::*operation)()) {
    on(name, [this, operation] {
      if (TQuillEditor* editor = Editor()) (editor->*operation)();
    });
  };
  onEditor("Cofnij1", &TQuillEditor::Undo);
  onEditor("Kopiuj1", &TQuillEditor::CopyToClipboard);
  onEditor("Wklej1", &TQuillEditor::PasteFromClipboard);
  onEditor("Wytnij1", &TQuillEditor::CutToClipboard);
  onEditor("Zaznaczwszystko1", &TQuillEditor::SelectAll);
  onEditor("Powtrzwstawienieznacznika1", &TQuillEditor::RepeatWrapSelection);

  // Document commands; they exist once the editor does.
  auto onDocuments = [this, &on](const char* name, std::function<void(TDocumentCommands&)> command) {
    on(name, [this, command = std::move(command)] {
      if (documents_) command(*documents_);
    });
  };
  onDocuments("dokument1", [](TDocumentCommands& d) { d.NewDocument(); });
  onDocuments("Otwrz1", [](TDocumentCommands& d) { d.OpenCommand(); });
  on("Zapisz1", [this] { Zapisz1Click(); });
  onDocuments("Zapiszjako1", [](TDocumentCommands& d) { d.SaveDocumentAs(); });
  onDocuments("ZapiszwformacieUNIX1", [](TDocumentCommands& d) { d.SaveDocumentAsUnix(); });
  onDocuments("Optymalizujdokument1", [](TDocumentCommands& d) { d.OptimizeDocument(); });
  onDocuments("Usuznakinarodowe1", [](TDocumentCommands& d) { d.RemoveNationalCharactersFromSelection(); });
  using CodePage = TDocumentCommands::CodePageCommand;
  for (const auto& [name, page] : std::initializer_list<std::pair<const char*, CodePage>>{
           {"ISO885921", CodePage::Iso88592}, {"Windows12501", CodePage::Windows1250}, {"UTF81", CodePage::Utf8},
           {"Latin2CP8521", CodePage::Cp852}, {"Mazovia1", CodePage::Mazovia}, {"AmigaPL1", CodePage::AmigaPL}})
    onDocuments(name, [page = page](TDocumentCommands& d) { d.ChooseCodePage(page); });
  for (int i = 1; i <= 4; ++i) {
    QAction* item = findChild<QAction*>(QStringLiteral("OpenedDocument%1").arg(i));
    connect(item, &QAction::triggered, this, [this, item] { Run([this, item] { OpenDocument(item->data().toString().toStdString()); }); });
  }
  onDocuments("Dodajdoulubionych1", [](TDocumentCommands& d) { d.AddToFavourites(); });
  on("Organizujulubione1", [this] { Organizujulubione1Click(); });
  on("Uruchom1", [this] { Uruchom1Click(); });
  on("Ustawienia1", [this] { Ustawienia1Click(); });

  on("okno1", [this] { Okno1Click(); });
  on("Zakocz1", [this] { Zakocz1Click(); });
  on("Interfejspolski1", [this] { LanguageClick(1); });
  on("Interfejsangielski1", [this] { LanguageClick(2); });
  for (QAction* item : highlighters_->actions())
    connect(item, &QAction::triggered, this, [this, item] { Run([this, item] { HighlighterClick(item); }); });
  on("BelkaHTML1", [this] { ToggleSetting(findChild<QAction*>(QStringLiteral("BelkaHTML1")), "Main", "HTMLBar"); });
  on("Belkakolorw1", [this] { ToggleSetting(findChild<QAction*>(QStringLiteral("Belkakolorw1")), "Main", "ColorBar"); });
  on("Zawijajwiersze1",
     [this] { ToggleSetting(findChild<QAction*>(QStringLiteral("Zawijajwiersze1")), "Editor", "WordWrap"); });
  on("Zawszenawierzchu1", [this] { Zawszenawierzchu1Click(); });
  on("Pomoc2", [this] { Pomoc2Click(); });
  new TMainSearch(*this, dialogs_, shell_);  // the search menu, with its dialogs
  on("Oprogramie1", [this] { Oprogramie1Click(); });
  WireHtmlCommands();
  on("Drukuj1", [this] { PrintDocumentCommand(*this, dialogs_); });
  on("Opcjewydruku1", [this] { PrintOptionsCommand(*this, dialogs_); });
  on("Podgldwydruku1", [this] { PrintPreviewCommand(*this, dialogs_); });
}

// ---- Program and window ------------------------------------------------------------------------------------

void TMain::Zakocz1Click() {
  if (QuerySaveDocument()) Terminate();
}

void TMain::Okno1Click() {
  // A further window is a further process; it starts as any start does.
  shell_.StartInstance({});
}

void TMain::LanguageClick(int language) {
  dialogs_.Message(LangText(173, InterfaceLanguage()));
  settings_.WriteInteger("Interface", "Language", language);
}

void TMain::Zawszenawierzchu1Click() {
  QAction* item = findChild<QAction*>(QStringLiteral("Zawszenawierzchu1"));
  const QRect keep = geometry();
  setWindowFlag(Qt::WindowStaysOnTopHint, item->isChecked());
  // Changing the flag hides the window; it comes back where it was.
  setGeometry(keep);
  show();
}

// ---- Highlighter, tool bars, word wrap -----------------------------------------------------------------------

void TMain::HighlighterClick(QAction* item) {
  TQuillEditor* editor = Editor();
  if (editor == nullptr) return;
  static const std::pair<const char*, TColorStyleItem> kStyles[] = {
      {"KolorujHTML1", csHTML}, {"KolorujPerl1", csPerl}, {"KolorujPHP1", csPhp},
      {"KolorujPascal1", csPascal}, {"KolorujCPP1", csC}, {"KolorujCSS1", csCSS}};
  for (const auto& [name, style] : kStyles)
    if (item->objectName() == QLatin1String(name)) {
      editor->SetColorStyle(TColorStyle{style});
      return;
    }
  editor->SetPlainText(true);
}

void TMain::ToggleSetting(QAction* item, const char* section, const char* ident) {
  settings_.WriteBool(section, ident, !settings_.ReadBool(section, ident, false));
  ApplyToggle(item, settings_.ReadBool(section, ident, false));
}

void TMain::ApplyToggle(QAction* item, bool value) {
  item->setChecked(value);
  if (item->objectName() == QLatin1String("BelkaHTML1"))
    htmlBar_->setVisible(value);
  else if (item->objectName() == QLatin1String("Belkakolorw1"))
    colorBar_->setVisible(value);
  else if (item->objectName() == QLatin1String("Zawijajwiersze1") && Editor() != nullptr)
    Editor()->SetWordWrap(value);
}

// ---- Popup menu --------------------------------------------------------------------------------------------

void TMain::UnSelectAboutToShow() {
  TQuillEditor* editor = Editor();
  for (const char* menuName : {"Idzdozakadki1", "Ustawzakadk1", "Usuzakadk1"}) {
    const QMenu* sub = findChild<QMenu*>(QString::fromLatin1(menuName));
    for (QAction* mark : sub->actions())
      mark->setChecked(editor != nullptr && editor->GetBookmark(mark->text().toInt()) >= 0);
  }
  PrepareLinkItems();
}

void TMain::BookmarkClick(QAction* item, int kind) {
  TQuillEditor* editor = Editor();
  if (editor == nullptr) return;
  const int n = item->text().toInt();
  Run([&] {
    switch (kind) {
      case 0: editor->GotoBookmark(n); break;
      case 1: editor->SetBookmark(n); break;
      default: editor->ClearBookmark(n); break;
    }
  });
}

// ---- Help and about ----------------------------------------------------------------------------------------

void TMain::Pomoc2Click() {
  const QString url = HelpTopicUrl(QStringLiteral("program_about"));
  if (!url.isEmpty()) OpenOrSay(url.toStdString());
}

void TMain::Oprogramie1Click() {
  TAbout about(shell_, this);
  about.exec();
}

void TMain::LogoClick() { OpenOrSay(LangText(226, InterfaceLanguage())); }

void TMain::OpenOrSay(const std::string& target) {
  // Without a browser or a program for the type the desktop opens nothing and says nothing itself.
  if (!shell_.Open(target)) dialogs_.Message(OpenFailedMessage(target, InterfaceLanguage()));
}

// ---- Documents -----------------------------------------------------------------------------------------------

void TMain::Zapisz1Click() {
  if (documents_ && !documents_->SaveDocument()) documents_->SaveDocumentAs();
}

void TMain::Uruchom1Click() {
  TQuillEditor* editor = Editor();
  if (editor == nullptr) return;
  const std::string question = LangText(73, InterfaceLanguage());
  if (editor->DocumentFileName().empty()) {
    if (!dialogs_.AskYesNo(question)) return;
    documents_->SaveDocumentAs();
  }
  if (editor->Modified()) {
    if (!dialogs_.AskYesNo(question)) return;
    if (!documents_->SaveDocument()) return;
  }
  // The document runs in whatever the desktop associates with its type; without a name nothing opens.
  if (!editor->DocumentFileName().empty()) OpenOrSay(editor->DocumentFileName());
}

void TMain::Organizujulubione1Click() {
  if (!documents_) return;
  TRemoveFavorities organizer(settings_, dialogs_, this);
  organizer.exec();
  documents_->AddFavourite();
}
