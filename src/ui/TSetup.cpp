#include "ui/TSetup.h"

#include <algorithm>
#include <tuple>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/LangTable.h"
#include "platform/Dialogs.h"
#include "settings/FileAssociation.h"
#include "ui/ColorGrid.h"
#include "ui/QtCanvas.h"
#include "ui/QuillEditorWidget.h"
#include "ui/Translate.h"

const char* const TSetup::kSampleText =
    "<html>\r\n"
    " <meta http-equiv=KeyWords content=\"[Slowa kluczowe, Keywords]\">\r\n"
    " <title>no title</title>\r\n"
    "</head>\r\n"
    "<body>\r\n"
    " <!--// to jest komentarz\r\n"
    "  function foo()\r\n"
    "   {\r\n"
    "    document.write(\"jakis tekst\");\r\n"
    "   }\r\n"
    " -->\r\n"
    "\r\n"
    "</body>\r\n"
    "</html>";

namespace {

FileAssociation DesktopAssociation() {
  return FileAssociation(XdgHomes::FromEnvironment(), QCoreApplication::applicationFilePath().toStdString());
}

QLabel* Label(QWidget* parent, const char* caption) { return new QLabel(QString::fromUtf8(caption), parent); }

QSpinBox* Spin(QWidget* parent, const char* name, int low, int high) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(QString::fromLatin1(name));
  spin->setRange(low, high);
  return spin;
}

}  // namespace

TSetup::TSetup(SettingsStore& settings, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), settings_(settings), dialogs_(dialogs) {
  setObjectName(QStringLiteral("Setup"));
  setWindowTitle(QStringLiteral("#170#Konfiguracja"));
  setModal(true);

  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("Pages"));
  pages_->addTab(CreateEditorPage(), QStringLiteral("#128#Ustawienia edytora"));
  pages_->addTab(CreateColorPage(), QStringLiteral("#129#Kolorowanie"));
  pages_->addTab(CreateSavingPage(), QStringLiteral("#130#Zapisywanie"));
  pages_->addTab(CreateAdvancedPage(), QStringLiteral("#131#Zaawansowane"));
  pages_->addTab(CreateRegistryPage(), QStringLiteral("#133#Registry"));
  connect(pages_, &QTabWidget::currentChanged, this, [this] { PageChange(); });

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("OK"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("#116#&Anuluj"), this);
  cancel->setObjectName(QStringLiteral("Cancel"));
  connect(ok, &QPushButton::clicked, this, [this] { OkClick(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* column = new QVBoxLayout(this);
  column->addWidget(pages_);
  column->addLayout(buttons);

}

TSetup::~TSetup() = default;

QCheckBox* TSetup::Box(QWidget* parent, const char* name, const char* caption) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

// ---- Pages ---------------------------------------------------------------------------------------------

QWidget* TSetup::CreateEditorPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("EditorPage"));
  fontName_ = new QFontComboBox(page);
  fontName_->setObjectName(QStringLiteral("FontName"));
  fontName_->setEditable(false);  // only a font the system has can be chosen
  fontSize_ = new QComboBox(page);
  fontSize_->setObjectName(QStringLiteral("FontSize"));
  fontSize_->setEditable(true);
  fontSize_->setInsertPolicy(QComboBox::NoInsert);
  for (int size : {8, 10, 12, 14, 16, 18, 20, 24, 36}) fontSize_->addItem(QString::number(size));
  fontSize_->setFixedWidth(70);
  auto* fontRow = new QHBoxLayout;
  fontRow->addWidget(Label(page, "#39#Czcionka"));
  fontRow->addWidget(fontName_, 1);
  fontRow->addWidget(fontSize_);

  plainText_ = Box(page, "PlainText", "#146#Kolorowanie składni");
  wordWrap_ = Box(page, "WordWrap", "#147#Zawijanie wierszy");
  home_ = Box(page, "HOME", "#148#HOME");
  enter_ = Box(page, "ENTER", "#149#ENTER");
  lNumber_ = Box(page, "LNumber", "#224#Numeruj linie");
  upCharTag_ = Box(page, "UpCharTag", "#150#Znaczniki wielkimi literami");
  upCharTag_->setVisible(false);  // the stored value is kept, but tags are never upper-cased

  auto* closing = new QGroupBox(QStringLiteral("#151#Automatyczne zamykanie"), page);
  closing->setObjectName(QStringLiteral("CloseGroup"));
  auto* closeGrid = new QGridLayout(closing);
  // Check boxes in kCloseIdents order; shown as < >  ( )  [ ] in the first row, the quotes and { } below.
  const struct {
    const char* name;
    const char* caption;
  } closers[6] = {{"CloseTriangle", "< >"},     {"CloseBracket", "( )"},           {"CloseRectBracket", "[ ]"},
                  {"CloseSingleQuotes", "' '"}, {"CloseDoubleQuotes", "\" \""}, {"CloseCBracket", "{ }"}};
  for (int i = 0; i < 6; ++i) {
    close_[i] = Box(closing, closers[i].name, closers[i].caption);
    closeGrid->addWidget(close_[i], i / 3, i % 3);
  }
  auto* following = new QGroupBox(QStringLiteral("#152#Automatyczne dodawanie"), page);
  following->setObjectName(QStringLiteral("ContinueGroup"));
  auto* followColumn = new QVBoxLayout(following);
  const char* const continueNames[3][2] = {
      {"ContLI", "#153#znacznika <LI>"}, {"ContTD", "#154#znacznika <TD>"}, {"ContOPTION", "#155#znacznika <OPTION>"}};
  for (int i = 0; i < 3; ++i) {
    continue_[i] = Box(following, continueNames[i][0], continueNames[i][1]);
    followColumn->addWidget(continue_[i]);
  }

  tabSize_ = Spin(page, "TabSize", 2, 20);
  auto* tabRow = new QHBoxLayout;
  tabRow->addWidget(Label(page, "#189#Rozmiar tabulacji"));
  tabRow->addWidget(tabSize_);
  tabRow->addStretch(1);

  auto* left = new QVBoxLayout;
  for (QWidget* w : {static_cast<QWidget*>(plainText_), static_cast<QWidget*>(wordWrap_), static_cast<QWidget*>(home_),
                     static_cast<QWidget*>(enter_), static_cast<QWidget*>(lNumber_), static_cast<QWidget*>(upCharTag_)})
    left->addWidget(w);
  left->addLayout(tabRow);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(closing);
  right->addWidget(following);
  right->addStretch(1);
  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 1);
  columns->addLayout(right);
  auto* box = new QVBoxLayout(page);
  box->addLayout(fontRow);
  box->addLayout(columns);
  return page;
}

QWidget* TSetup::CreateColorPage() {
  // Placed by coordinates: the preview below has its fixed place and size on the page.
  colorPage_ = new QWidget;
  colorPage_->setObjectName(QStringLiteral("ColorPage"));
  colorPage_->setMinimumSize(486, 218);
  colorItem_ = new QListWidget(colorPage_);
  colorItem_->setObjectName(QStringLiteral("ColorItem"));
  for (const char* item : {"#134#Kolor tła", "#135#Kolor tekstu", "#136#Kolor znaczników", "#137#Kolor parametrów długich",
                           "#138#Kolor parametrów krótkich", "#139#Kolor komentarzy",
                           "#140#Kolor słów kluczowych skryptów", "#141#Kolor operatorów dla skryptów",
                           "#222#PHP - Kolor zmiennych", "#223#PHP - Kolor parametrów"})
    colorItem_->addItem(QString::fromUtf8(item));
  colorItem_->setGeometry(8, 8, 230, 94);
  colors_ = new ColorGrid(colorPage_);
  colors_->setObjectName(QStringLiteral("Colors"));
  colors_->move(246, 8);
  constBackground_ = Box(colorPage_, "ConstBackground", "#144#Domyślnie stałe tło");
  constBackground_->setGeometry(344, 8, 140, 22);
  auto* schemes = Label(colorPage_, "#145#Ustawienia domyślne");
  schemes->setGeometry(344, 38, 140, 18);
  defaults_ = new QComboBox(colorPage_);
  defaults_->setObjectName(QStringLiteral("Defaults"));
  defaults_->addItem(QStringLiteral("#142#Standardowe jasne"));
  defaults_->addItem(QStringLiteral("#143#Standardowe ciemne"));
  defaults_->setCurrentIndex(-1);
  defaults_->setGeometry(344, 58, 140, 24);

  connect(colorItem_, &QListWidget::currentRowChanged, this, [this] { SyncGrid(); });
  connect(colors_, &ColorGrid::Changed, this, [this] { GridChange(); });
  connect(constBackground_, &QCheckBox::toggled, this, [this](bool checked) { ConstBackgroundClick(checked); });
  connect(defaults_, &QComboBox::activated, this, [this](int scheme) { SchemeChosen(scheme); });
  return colorPage_;
}

QWidget* TSetup::CreateSavingPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("SavingPage"));
  defCodePage_ = new QComboBox(page);
  defCodePage_->setObjectName(QStringLiteral("DefCodePage"));
  for (const char* name : SetupValues::kCodePages) defCodePage_->addItem(QString::fromLatin1(name));
  createBackup_ = Box(page, "CreateBackup", "#158#Twórz kopię zapasową (*.bak)");
  optimizeWithSave_ = Box(page, "OptimizeWithSave", "#159#Optymalizuj dokument HTML przy zapisie");
  alwaysUnix_ = Box(page, "AlwaysUNIX", "#160#Zawsze zapisuj w formacie UNIX");
  recognizeCharSet_ = Box(page, "RecognizeCharSet", "#225#Zaawansowane rozpoznawanie znaków narodowych");
  auto* row = new QHBoxLayout;
  row->addWidget(Label(page, "#156#Domyślna strona kodowa"));
  row->addWidget(defCodePage_);
  row->addWidget(Label(page, "#157#(gdy dokument nie określa własnej)"));
  row->addStretch(1);
  auto* column = new QVBoxLayout(page);
  column->addLayout(row);
  for (QCheckBox* box : {createBackup_, optimizeWithSave_, alwaysUnix_, recognizeCharSet_}) column->addWidget(box);
  column->addStretch(1);
  return page;
}

QWidget* TSetup::CreateAdvancedPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("AdvancedPage"));
  scroller1_ = Spin(page, "Scroller1", 1, 50);
  scroller2_ = Spin(page, "Scroller2", 1, 50);
  auto* grid = new QGridLayout;
  grid->addWidget(Label(page, "#161#Kółko myszy przewija o"), 0, 0);
  grid->addWidget(scroller1_, 0, 1);
  grid->addWidget(Label(page, "#162#linii"), 0, 2);
  grid->addWidget(Label(page, "#163#Podwójny krok kółka przewija o"), 1, 0);
  grid->addWidget(scroller2_, 1, 1);
  grid->addWidget(Label(page, "#164#linii"), 1, 2);
  grid->setColumnStretch(3, 1);

  auto* esc = new QGroupBox(QStringLiteral("#165#Reakcja na klawisz ESC"), page);
  esc->setObjectName(QStringLiteral("ESCGroup"));
  auto* escColumn = new QVBoxLayout(esc);
  const char* const escNames[3][2] = {
      {"ESCnone", "#166#brak"}, {"ESCClose", "#167#zamknij program"}, {"ESCMini", "#168#minimalizuj program"}};
  for (int i = 0; i < 3; ++i) {
    esc_[i] = new QRadioButton(QString::fromUtf8(escNames[i][1]), esc);
    esc_[i]->setObjectName(QString::fromLatin1(escNames[i][0]));
    escColumn->addWidget(esc_[i]);
  }
  esc_[0]->setChecked(true);
  auto* column = new QVBoxLayout(page);
  column->addLayout(grid);
  column->addWidget(esc);
  column->addStretch(1);
  return page;
}

QWidget* TSetup::CreateRegistryPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("RegistryPage"));
  auto* group = new QGroupBox(QStringLiteral("#169#Skojarz edytor z plikami typu"), page);
  group->setObjectName(QStringLiteral("LinkGroup"));
  linkWithHtml_ = Box(group, "LinkWithHTML", "HTML");
  linkWithTxt_ = Box(group, "LinkWithTXT", "TXT");
  auto* groupColumn = new QVBoxLayout(group);
  groupColumn->addWidget(linkWithHtml_);
  groupColumn->addWidget(linkWithTxt_);
  auto* column = new QVBoxLayout(page);
  column->addWidget(group);
  column->addStretch(1);
  return page;
}

// ---- Showing -------------------------------------------------------------------------------------------

void TSetup::showEvent(QShowEvent* e) {
  if (!shown_) {
    shown_ = true;
    FormShow();
  }
  QDialog::showEvent(e);
}

void TSetup::FormShow() {
  TranslateControl(this);
  colorGuard_ = false;
  const SetupValues v = ReadSetupValues(settings_);
  CreatePreview(v);

  plainText_->setChecked(!v.PlainText);
  wordWrap_->setChecked(v.WordWrap);
  home_->setChecked(v.HOME);
  enter_->setChecked(v.ENTER);
  upCharTag_->setChecked(v.UpChar);
  for (std::size_t i = 0; i < v.Close.size(); ++i) close_[i]->setChecked(v.Close[i]);
  for (std::size_t i = 0; i < v.Continue.size(); ++i) continue_[i]->setChecked(v.Continue[i]);

  ShowFontName(v.FontName);
  fontSize_->setEditText(QString::number(v.FontSize));
  tabSize_->setValue(v.TabSize);
  scroller1_->setValue(v.Scroller1);
  scroller2_->setValue(v.Scroller2);

  colorItem_->setCurrentRow(0);
  SyncGrid();

  defCodePage_->setCurrentIndex(defCodePage_->findText(QString::fromStdString(v.DefaultCodePage)));
  createBackup_->setChecked(v.CreateBackup);
  optimizeWithSave_->setChecked(v.OptimizeWithSave);
  alwaysUnix_->setChecked(v.AlwaysUNIX);
  recognizeCharSet_->setChecked(v.RecognizeCharSet);
  lNumber_->setChecked(v.LineNumbering);
  esc_[v.EscKey]->setChecked(true);

  const FileAssociation association = DesktopAssociation();
  linkWithHtml_->setChecked(association.IsAssociated("htmlfile"));
  linkWithTxt_->setChecked(association.IsAssociated("txtfile"));
  fontName_->setFocus();
}

void TSetup::CreatePreview(const SetupValues& v) {
  preview_ = new QuillEditorWidget(colorPage_);
  preview_->setObjectName(QStringLiteral("Preview"));
  preview_->setGeometry(8, 110, 470, 100);
  preview_->show();
  TQuillEditor& editor = preview_->Editor();
  editor.SetColorStyle(TColorStyle{csHTML});
  editor.ColorSet() = v.Colors;
  editor.SetLineNumbering(v.LineNumbering);
  TFont font = editor.Font();
  if (!v.FontName.empty()) font.Name = v.FontName;
  font.Size = v.FontSize;
  editor.SetFont(font);
  // The text first: a read-only editor takes none.
  editor.SetText(kSampleText);
  editor.SetReadonly(true);
  // Text put in before the window exists leaves the view on its last lines; the page starts at the top.
  editor.VScroll(TQuillEditor::TScrollRequest::ThumbPosition, 0);
}

// A face the system does not have is shown as the one the editor draws in its place, so the list
// always shows a font that exists, and OK stores one.
void TSetup::ShowFontName(const std::string& name) {
  QString family = QString::fromStdString(name);
  if (!QFontDatabase::families().contains(family, Qt::CaseInsensitive))
    family = QFontInfo(QtCanvas::ResolveFont(name, 12)).family();
  int index = fontName_->findText(family, Qt::MatchFixedString);
  if (index < 0) index = fontName_->findText(QFontDatabase::systemFont(QFontDatabase::FixedFont).family(), Qt::MatchFixedString);
  if (index >= 0) fontName_->setCurrentIndex(index);
}

// ---- Colours -------------------------------------------------------------------------------------------

void TSetup::SyncGrid() {
  if (preview_ == nullptr) return;
  colorGuard_ = true;
  TQuillEditor::Colors& c = preview_->Editor().ColorSet();
  const int item = std::max(colorItem_->currentRow(), 0);
  colors_->SetForegroundIndex(BasicColorIndex(ItemForeground(c, item)));
  const bool windowBackground = constBackground_->isChecked() || item == 0;
  colors_->SetBackgroundIndex(BasicColorIndex(windowBackground ? c.Color : ItemBackground(c, item)));
  colorGuard_ = false;
}

void TSetup::GridChange() {
  if (colorGuard_ || preview_ == nullptr) return;
  TQuillEditor::Colors& c = preview_->Editor().ColorSet();
  const int item = std::max(colorItem_->currentRow(), 0);
  // A colour without a mark (one that is none of the sixteen) is left as it is.
  if (colors_->ForegroundIndex() >= 0) ItemForeground(c, item) = colors_->ForegroundColor();
  if (item == 0) {
    if (constBackground_->isChecked()) ApplyConstantBackground(c);
  } else if (colors_->BackgroundIndex() >= 0) {
    ItemBackground(c, item) = colors_->BackgroundColor();
  }
  RepaintPreview();
}

void TSetup::ConstBackgroundClick(bool checked) {
  if (!checked || preview_ == nullptr) return;
  ApplyConstantBackground(preview_->Editor().ColorSet());
  SyncGrid();
  RepaintPreview();
}

void TSetup::SchemeChosen(int scheme) {
  if (preview_ == nullptr || scheme < 0) return;
  ApplyColorScheme(preview_->Editor().ColorSet(), scheme);
  SyncGrid();
  RepaintPreview();
}

void TSetup::RepaintPreview() {
  if (preview_ != nullptr) preview_->Editor().Paint();
}

void TSetup::PageChange() {
  if (preview_ == nullptr) return;
  TQuillEditor& editor = preview_->Editor();
  TFont font = editor.Font();
  if (!fontName_->currentText().isEmpty()) font.Name = fontName_->currentText().toStdString();
  // A size that is no whole number is reported by OK; until then the preview keeps its size.
  if (const auto size = ParseFontSize(fontSize_->currentText().toStdString())) font.Size = *size;
  editor.SetFont(font);
  editor.SetLineNumbering(lNumber_->isChecked());
  editor.Paint();
}

// ---- OK --------------------------------------------------------------------------------------------------

void TSetup::OkClick() {
  if (preview_ == nullptr) return;
  // The size is checked before anything is stored, so a mistyped size loses none of the other choices.
  const QString sizeText = fontSize_->currentText();
  const auto size = ParseFontSize(sizeText.toStdString());
  if (!size) {
    const char* format = InterfaceLanguage() == 2 ? "\"%1\" is not a valid font size (a whole number from %2 to %3)."
                                                   : "\"%1\" nie jest poprawnym rozmiarem czcionki (liczba całkowita od %2 do %3).";
    dialogs_.Message(QString::fromUtf8(format)
                         .arg(sizeText)
                         .arg(SetupValues::kMinFontSize)
                         .arg(SetupValues::kMaxFontSize)
                         .toStdString());
    pages_->setCurrentIndex(0);
    fontSize_->setFocus();
    return;
  }

  SetupValues v;
  v.OptimizeWithSave = optimizeWithSave_->isChecked();
  v.EscKey = esc_[1]->isChecked() ? 1 : esc_[2]->isChecked() ? 2 : 0;
  v.DefaultCodePage = defCodePage_->currentText().toStdString();
  v.CreateBackup = createBackup_->isChecked();
  v.Scroller1 = scroller1_->value();
  v.Scroller2 = scroller2_->value();
  v.TabSize = tabSize_->value();
  v.WordWrap = wordWrap_->isChecked();
  v.PlainText = !plainText_->isChecked();
  v.HOME = home_->isChecked();
  v.ENTER = enter_->isChecked();
  v.UpChar = upCharTag_->isChecked();
  v.LineNumbering = lNumber_->isChecked();
  for (std::size_t i = 0; i < v.Close.size(); ++i) v.Close[i] = close_[i]->isChecked();
  for (std::size_t i = 0; i < v.Continue.size(); ++i) v.Continue[i] = continue_[i]->isChecked();
  v.FontName = fontName_->currentText().toStdString();
  v.FontSize = *size;
  v.Colors = preview_->Editor().ColorSet();
  v.AlwaysUNIX = alwaysUnix_->isChecked();
  v.RecognizeCharSet = recognizeCharSet_->isChecked();
  try {
    WriteSetupValues(settings_, v);
  } catch (const std::exception& e) {
    // The values before the failed one are stored; the window applies what there is.
    dialogs_.Message(e.what());
    accept();
    return;
  }

  // Each association on its own: one that cannot be written does not keep the other from being.
  FileAssociation association = DesktopAssociation();
  std::string failures;
  for (const auto& [type, ext, box] : {std::tuple{"htmlfile", "htm", linkWithHtml_}, std::tuple{"txtfile", "txt", linkWithTxt_}}) {
    try {
      association.SetAssociation(type, ext, box->isChecked());
    } catch (const std::exception& e) {
      failures += std::string(failures.empty() ? "" : "\n") + e.what();
    }
  }
  if (!failures.empty()) dialogs_.Message(failures);
  accept();
}
