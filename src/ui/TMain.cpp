#include "ui/TMain.h"

#include "ui/KeyboardAccess.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QStandardPaths>
#include <QToolBar>
#include <QVBoxLayout>
#include <filesystem>

#include "app/EditorSettings.h"
#include "app/LangTable.h"
#include "app/TDocumentCommands.h"
#include "app/TQuillEditorDocument.h"
#include "app/MainWindowLogic.h"
#include "app/WindowLayout.h"
#include "editor/TQuillEditor.h"
#include "platform/Dialogs.h"
#include "settings/SettingsStore.h"
#include "ui/ApplicationState.h"
#include "ui/KeyboardAccess.h"
#include "ui/QuillEditorWidget.h"
#include "ui/TInfo.h"
#include "ui/TTifOfTheDay.h"
#include "ui/ToolIcons.h"
#include "ui/Translate.h"

namespace {

QString Lang(int id) { return QString::fromStdString(LangText(id, InterfaceLanguage())); }

}  // namespace

TMain::TMain(SettingsStore& settings, Dialogs& dialogs, Shell& shell, std::vector<std::string> arguments,
             int defaultLanguage, QWidget* parent)
    : QMainWindow(parent), settings_(settings), dialogs_(dialogs), shell_(shell), arguments_(std::move(arguments)) {
  setObjectName(QStringLiteral("Main"));
  setWindowTitle(QString::fromUtf8(AppCaption));
  setWindowIcon(ProgramIcon());
  setAttribute(Qt::WA_DeleteOnClose, false);
  resize(760, 540);
  Terminate = [] { QCoreApplication::exit(0); };

  CreateMainMenu();
  CreatePopupMenus();
  CreateToolBars();
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  editorArea_ = new QFrame(central);
  editorArea_->setObjectName(QStringLiteral("Panel1"));
  editorArea_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  column->addWidget(editorArea_, 1);
  CreateColorBar(central);
  column->addWidget(colorBar_);
  setCentralWidget(central);
  CreateStatusBar();

  // The interface language is fixed for this run from here on.
  SetInterfaceLanguage(settings_.ReadInteger("Interface", "Language", defaultLanguage));
  TranslateMenu(menuBar());
  TranslateMenu(select_);
  TranslateMenu(unSelect_);
  TranslateControl(htmlBar_);
  TranslateControl(mainBar_);
  AddMenuMnemonics(this, InterfaceLanguage());
  AddMenuBarKey(this);
  InstallQtTranslations(InterfaceLanguage());
  if (QAction* newDocument = findChild<QAction*>(QStringLiteral("dokument1")))
    newDocument->setToolTip(Lang(2) + QLatin1Char(' ') + Lang(3));

  WireCommands();

  timer1_.setInterval(1000);
  connect(&timer1_, &QTimer::timeout, this, [this] {
    timer1_.stop();
    Run([this] { ShowTipOfTheDay(200, 211); });
  });
  timer1_.start();
}

// The document commands hold the editor's adapter; they go before the widgets do, and the editor,
// which outlives this part of the window, stops reporting to it.
TMain::~TMain() {
  documents_.reset();
  document_.reset();
  if (editorWidget_ != nullptr) {
    TQuillEditor& editor = editorWidget_->Editor();
    editor.OnUpdateCaret = nullptr;
    editor.OnModified = nullptr;
    editor.OnKeyPress = nullptr;
    editor.OnColorSetChange = nullptr;
    editor.OnForeignReplaced = nullptr;
  }
}

TQuillEditor* TMain::Editor() const { return editorWidget_ != nullptr ? &editorWidget_->Editor() : nullptr; }

void TMain::Run(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& e) {
    QMessageBox::critical(this, ApplicationTitle(), QString::fromStdString(e.what()));
  }
}

// ---- Showing ---------------------------------------------------------------------------------------------

void TMain::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (shown_) return;
  shown_ = true;
  Run([this] { FormShow(); });
}

void TMain::FormShow() {
  setWindowTitle(QString::fromUtf8(AppCaption));
  CreateEditor();
  ApplySettings();
  setAcceptDrops(true);
  OpenCommandLineDocument();
  RestoreLayout();
  documents_->RefreshOpenedDocuments();
  documents_->AddFavourite();
  FindHelpFile();
}

void TMain::CreateEditor() {
  auto* box = new QVBoxLayout(editorArea_);
  box->setContentsMargins(0, 0, 0, 0);
  editorWidget_ = new QuillEditorWidget(editorArea_);
  editorWidget_->setObjectName(QStringLiteral("Editor"));
  box->addWidget(editorWidget_);
  editorWidget_->show();
  TQuillEditor& editor = editorWidget_->Editor();
  editor.SetColorStyle(TColorStyle{csHTML});
  editor.OnUpdateCaret = [this](int line, int character) { EditorUpdateCaret(line, character); };
  editor.OnModified = [this](bool modified) { EditorModified(modified); };
  editor.OnKeyPress = [this](char& key) { EditorKeyPress(key); };
  editor.OnColorSetChange = [this](TColorStyle style) { EditorColorSetChange(style); };
  // Typed or pasted characters that the document's 8-bit code page cannot hold became "?".
  editor.OnForeignReplaced = [this] {
    panels_[0]->setText(InterfaceLanguage() == 1
                            ? QString::fromUtf8("Znaki spoza strony kodowej dokumentu zastąpiono znakiem \"?\"")
                            : QStringLiteral("Characters outside the document's code page were replaced by \"?\""));
  };
  document_ = std::make_unique<TQuillEditorDocument>(editor);
  documents_ = std::make_unique<TDocumentCommands>(*document_, dialogs_, settings_, *this);
}

void TMain::ApplySettings() {
  ApplyToggle(findChild<QAction*>(QStringLiteral("BelkaHTML1")), settings_.ReadBool("Main", "HTMLBar", false));
  ApplyToggle(findChild<QAction*>(QStringLiteral("Belkakolorw1")), settings_.ReadBool("Main", "ColorBar", false));
  if (editorWidget_ == nullptr) return;
  TQuillEditor& editor = editorWidget_->Editor();
  ApplyEditorSettings(settings_, editor);
  editor.Paint();
  editorWidget_->setFocus();
  editorWidget_->SetPopupMenus(select_, unSelect_);
  findChild<QAction*>(QStringLiteral("Zawijajwiersze1"))->setChecked(settings_.ReadBool("Editor", "WordWrap", false));
}

void TMain::OpenCommandLineDocument() {
  const std::string name = JoinCommandLine(arguments_);
  std::error_code ec;
  // A folder, a pipe or a device is handed on too: opening it tells the user why it cannot be opened.
  if (!name.empty() && std::filesystem::exists(name, ec)) OpenDocument(name);
}

void TMain::FindHelpFile() {
  const QString programDir = QCoreApplication::applicationDirPath();
  std::vector<std::string> dataDirs{QDir(programDir).absoluteFilePath(QStringLiteral("../share/quillpad")).toStdString()};
#ifdef QUILL_DATA_DIR
  dataDirs.push_back(QUILL_DATA_DIR);
#endif
  for (const QString& d : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("quillpad"),
                                                    QStandardPaths::LocateDirectory))
    dataDirs.push_back(d.toStdString());
  const std::optional<std::string> found = ::FindHelpFile(HelpFileCandidates(programDir.toStdString(), dataDirs));
  SetApplicationHelpFile(found ? std::optional<QString>(QString::fromStdString(*found)) : std::nullopt);
  const bool haveHelp = found.has_value();
  findChild<QAction*>(QStringLiteral("Pomoc2"))->setVisible(haveHelp);
  findChild<QAction*>(QStringLiteral("PomocSeparator"))->setVisible(haveHelp);
}

// ---- Layout ----------------------------------------------------------------------------------------------

void TMain::RestoreLayout() {
  const RestoredLayout layout = ReadWindowLayout(settings_, objectName().toStdString());
  if (layout.State == TWindowState::wsMaximized) {
    setWindowState(windowState() | Qt::WindowMaximized);
    return;
  }
  QRect g = geometry();
  if (layout.Top) g.moveTop(*layout.Top);
  if (layout.Left) g.moveLeft(*layout.Left);
  if (layout.Width) g.setWidth(*layout.Width);
  if (layout.Height) g.setHeight(*layout.Height);
  setGeometry(g);
  if (layout.State == TWindowState::wsMinimized) setWindowState(windowState() | Qt::WindowMinimized);
}

void TMain::SaveLayout() {
  const TWindowState state = isMaximized()   ? TWindowState::wsMaximized
                             : isMinimized() ? TWindowState::wsMinimized
                                             : TWindowState::wsNormal;
  const QRect g = geometry();
  SaveWindowLayout(settings_, objectName().toStdString(), state, WindowBounds{g.top(), g.left(), g.width(), g.height()});
}

void TMain::closeEvent(QCloseEvent* e) {
  // Should the question itself fail, the document stays rather than being lost.
  bool canClose = false;
  Run([&] {
    canClose = QuerySaveDocument();
    if (canClose && InterfaceLanguage() == 1) {
      TInfo info(shell_, this);
      info.exec();
    }
  });
  // The layout is kept even when the window stays open; a failing write must not keep it open.
  Run([this] { SaveLayout(); });
  if (canClose)
    e->accept();
  else
    e->ignore();
}

// ---- Dropped files ---------------------------------------------------------------------------------------

void TMain::dragEnterEvent(QDragEnterEvent* e) {
  if (e->mimeData()->hasUrls() && !e->mimeData()->urls().isEmpty() && e->mimeData()->urls().constFirst().isLocalFile())
    e->acceptProposedAction();
}

void TMain::dropEvent(QDropEvent* e) {
  const QList<QUrl> urls = e->mimeData()->urls();
  if (urls.isEmpty() || !urls.constFirst().isLocalFile()) return;
  const std::string name = urls.constFirst().toLocalFile().toStdString();
  e->acceptProposedAction();
  Run([&] {
    if (PassesTextFileTest(name)) OpenDocument(name);
  });
}

bool TMain::eventFilter(QObject* watched, QEvent* e) {
  if (watched == logo_ && e->type() == QEvent::MouseButtonRelease) {
    Run([this] { LogoClick(); });
    return true;
  }
  return QMainWindow::eventFilter(watched, e);
}

// ---- Editor events ---------------------------------------------------------------------------------------

void TMain::EditorUpdateCaret(int line, int character) {
  panels_[2]->setText(QStringLiteral("%1 : %2").arg(line + 1).arg(character));
}

void TMain::EditorModified(bool modified) { panels_[1]->setText(modified ? Lang(69) : QString()); }

void TMain::EditorColorSetChange(TColorStyle style) {
  const std::optional<HighlighterItem> item = HighlighterItemFor(style, Editor() != nullptr && Editor()->PlainText());
  if (item) highlighters_->actions().at(static_cast<int>(*item))->setChecked(true);
}

void TMain::EditorKeyPress(char& key) {
  if (key != '\x1b') return;
  // Read at every press, so a change in the settings dialog applies at once.
  switch (EscActionFor(settings_.ReadInteger("Editor", "ESC Key", 0))) {
    case EscAction::Exit: Zakocz1Click(); break;
    case EscAction::Minimize: showMinimized(); break;
    case EscAction::None: break;
  }
}

// ---- Documents -------------------------------------------------------------------------------------------

std::string TMain::DocumentCodePage() const { return documents_ ? documents_->DocumentCodePage() : std::string(); }

bool TMain::QuerySaveDocument() { return documents_ ? documents_->QuerySaveDocument() : true; }

void TMain::OpenDocument(const std::string& fileName) {
  // An emptied favourite or recent entry names nothing to open.
  if (documents_ && !fileName.empty()) documents_->OpenDocument(fileName);
}

void TMain::UpdateTitle(const std::string& fileName, const std::string& codePage) {
  setWindowTitle(QString::fromStdString(DocumentCaption(fileName, codePage)));
  if (const std::optional<std::string> title = ApplicationTitleFor(fileName))
    SetApplicationTitle(QString::fromStdString(*title));
}

void TMain::ShowAppCaption() { setWindowTitle(QString::fromUtf8(AppCaption)); }

namespace {

// A file name as a menu caption: "&" would mark an accelerator.
QString MenuCaption(const std::string& fileName) {
  return QString::fromStdString(fileName).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace

void TMain::ShowRecentDocuments(const std::array<std::string, 4>& fileNames) {
  for (std::size_t i = 0; i < fileNames.size(); ++i) {
    QAction* item = findChild<QAction*>(QStringLiteral("OpenedDocument%1").arg(i + 1));
    item->setText(MenuCaption(fileNames[i]));
    item->setData(QString::fromStdString(fileNames[i]));
    item->setVisible(!fileNames[i].empty());
  }
}

void TMain::ShowFavourites(const std::vector<FavouriteItem>& items) {
  for (QAction* old : favouriteItems_) delete old;
  favouriteItems_.clear();
  QMenu* menu = findChild<QMenu*>(QStringLiteral("Ulubione1"));
  for (const FavouriteItem& favourite : items) {
    auto* item = new QAction(MenuCaption(favourite.fileName), this);
    item->setObjectName(QStringLiteral("Favourite%1").arg(favourite.slot));
    const int slot = favourite.slot;
    // The slot is read again when chosen: another window may have changed it since.
    connect(item, &QAction::triggered, this, [this, slot] {
      Run([this, slot] { OpenDocument(settings_.ReadString("Favorites", "Item" + std::to_string(slot), "")); });
    });
    menu->addAction(item);
    favouriteItems_.push_back(item);
  }
}

void TMain::ShowTipOfTheDay(int firstId, int lastId) {
  if (!settings_.ReadBool("Tips", "ShowTips", true)) return;
  TTifOfTheDay tip(settings_, firstId, lastId, this);
  tip.exec();
}
