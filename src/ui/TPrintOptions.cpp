#include "ui/TPrintOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/LangTable.h"
#include "platform/Dialogs.h"
#include "settings/MainSettings.h"
#include "ui/Translate.h"

namespace {

const QStringList kSizes = {"6", "8", "10", "12", "14", "16", "18", "24", "36", "48", "72"};

QComboBox* SizeBox(QWidget* parent, const char* name) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setEditable(true);
  box->addItems(kSizes);
  return box;
}

QComboBox* FontBox(QWidget* parent, const char* name) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->addItems(TPrintOptions::FixedPitchFonts());
  return box;
}

QCheckBox* Check(QWidget* parent, const char* name, const char* caption) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

// Selects the entry equal to name, or none.
void SelectFont(QComboBox* box, const std::string& name) {
  box->setCurrentIndex(box->findText(QString::fromStdString(name), Qt::MatchFixedString));
}

std::string SelectedFont(const QComboBox* box) {
  return box->currentIndex() < 0 ? std::string() : box->currentText().toStdString();
}

}  // namespace

QStringList TPrintOptions::FixedPitchFonts() {
  QStringList fonts{QStringLiteral("FixedSys")};
  for (const QString& family : QFontDatabase::families())
    if (QFontDatabase::isFixedPitch(family) && !fonts.contains(family, Qt::CaseInsensitive)) fonts << family;
  return fonts;
}

TPrintOptions::TPrintOptions(Dialogs& dialogs, QWidget* parent) : QDialog(parent), dialogs_(dialogs) {
  setObjectName(QStringLiteral("PrintOptions"));
  setWindowTitle(QStringLiteral("#119#Opcje wydruku"));
  setModal(true);
  auto* tabs = new QTabWidget(this);
  tabs->setObjectName(QStringLiteral("Pages"));

  auto* general = new QWidget(tabs);
  auto* form = new QFormLayout;
  font_ = FontBox(general, "FontName");
  fontSize_ = SizeBox(general, "FontSize");
  spacing_ = new QComboBox(general);
  spacing_->setObjectName(QStringLiteral("Spacing"));
  spacing_->addItems({"1", "1.5", "2"});
  units_ = new QComboBox(general);
  units_->setObjectName(QStringLiteral("MeassureUnits"));
  units_->addItems({QStringLiteral("#117#Milimetry"), QStringLiteral("#118#Cale")});
  form->addRow(new QLabel(QStringLiteral("#96#Czcionka wydruku"), general), font_);
  form->addRow(new QLabel(QStringLiteral("#99#Rozmiar czcionki"), general), fontSize_);
  form->addRow(new QLabel(QStringLiteral("#100#Odległość między wierszami"), general), spacing_);
  form->addRow(new QLabel(QStringLiteral("#101#Jednostki"), general), units_);
  const char* const marginNames[] = {"LeftMargin", "RightMargin", "Topmargin", "BottomMargin"};
  const char* const marginCaptions[] = {"#106#Margines lewy", "#107#Margines prawy", "#108#Margines górny",
                                        "#109#Margines dolny"};
  const char* const borderNames[] = {"LeftBorder", "RightBorder", "TopBorder", "BottomBorder"};
  const char* const borderCaptions[] = {"#102#Ramka z lewej", "#103#Ramka z prawej", "#104#Ramka z góry",
                                        "#105#Ramka z dołu"};
  auto* grid = new QGridLayout;
  for (int i = 0; i < 4; ++i) {
    margins_[i] = new QLineEdit(general);
    margins_[i]->setObjectName(QString::fromLatin1(marginNames[i]));
    grid->addWidget(new QLabel(QString::fromUtf8(marginCaptions[i]), general), i, 0);
    grid->addWidget(margins_[i], i, 1);
    borders_[i] = Check(general, borderNames[i], borderCaptions[i]);
    grid->addWidget(borders_[i], i, 2);
  }
  wordWrap_ = Check(general, "WordWrap", "#110#Zawijaj wiersze");
  auto* generalLayout = new QVBoxLayout(general);
  generalLayout->addLayout(form);
  generalLayout->addLayout(grid);
  generalLayout->addWidget(wordWrap_);
  generalLayout->addStretch(1);
  tabs->addTab(general, QStringLiteral("#93#Ogólne"));
  tabs->addTab(BandPage(header_, "#97#Czcionka wydruku nagłówka", "#115#Tekst nagłówka", "Header"),
               QString::fromUtf8("#94#Nagłówek"));
  tabs->addTab(BandPage(footer_, "#98#Czcionka wydruku stopki", "#114#Tekst stopki", "Footer"),
               QStringLiteral("#95#Stopka"));

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
  ok->setObjectName(QStringLiteral("OK"));
  QPushButton* cancel = buttons->addButton(QStringLiteral("#116#&Anuluj"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("Cancel"));
  QPushButton* help = buttons->addButton(QStringLiteral("#92#&Pomoc"), QDialogButtonBox::HelpRole);
  help->setObjectName(QStringLiteral("Help"));
  help->hide();
  connect(buttons, &QDialogButtonBox::accepted, this, &TPrintOptions::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TPrintOptions::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs);
  layout->addWidget(buttons);
}

QWidget* TPrintOptions::BandPage(BandControls& band, const char* fontCaption, const char* textCaption,
                                 const char* prefix) {
  auto* page = new QWidget(this);
  const std::string p = prefix;
  band.font = FontBox(page, (p + "FontName").c_str());
  band.size = SizeBox(page, (p + "FontSize").c_str());
  band.italic = Check(page, (p + "Italic").c_str(), "#112#Kursywa");
  band.bold = Check(page, (p + "Bold").c_str(), "#111#Pogrubienie");
  band.underline = Check(page, (p + "Underline").c_str(), "#113#Podkreślenie");
  band.text = new QLineEdit(page);
  band.text->setObjectName(QString::fromStdString(p + "Text"));
  auto* form = new QFormLayout(page);
  form->addRow(new QLabel(QString::fromUtf8(fontCaption), page), band.font);
  form->addRow(new QLabel(QStringLiteral("#99#Rozmiar czcionki"), page), band.size);
  form->addRow(band.italic);
  form->addRow(band.bold);
  form->addRow(band.underline);
  form->addRow(new QLabel(QString::fromUtf8(textCaption), page), band.text);
  return page;
}

void TPrintOptions::showEvent(QShowEvent* e) {
  TranslateControl(this);
  Load(ReadPrintOptions(OpenSettings(kPrinterKey)));
  QDialog::showEvent(e);
}

void TPrintOptions::Load(const PrintOptionsValues& v) {
  fontSize_->setEditText(QString::fromStdString(v.fontSize));
  SelectFont(font_, v.fontName);
  spacing_->setCurrentIndex(v.spacing >= 0 && v.spacing < spacing_->count() ? v.spacing : -1);
  units_->setCurrentIndex(v.units >= 0 && v.units < units_->count() ? v.units : -1);
  for (std::size_t i = 0; i < 4; ++i) {
    borders_[i]->setChecked(v.borders[i]);
    margins_[i]->setText(QString::fromStdString(v.margins[i]));
  }
  wordWrap_->setChecked(v.wordWrap);
  auto load = [](BandControls& c, const PrintOptionsValues::Band& b) {
    c.size->setEditText(QString::fromStdString(b.fontSize));
    SelectFont(c.font, b.fontName);
    c.italic->setChecked(b.italic);
    c.bold->setChecked(b.bold);
    c.underline->setChecked(b.underline);
    c.text->setText(QString::fromStdString(b.text));
  };
  load(header_, v.header);
  load(footer_, v.footer);
}

PrintOptionsValues TPrintOptions::Values() const {
  PrintOptionsValues v;
  v.fontSize = fontSize_->currentText().toStdString();
  v.fontName = SelectedFont(font_);
  v.spacing = spacing_->currentIndex();
  v.units = units_->currentIndex();
  for (std::size_t i = 0; i < 4; ++i) {
    v.borders[i] = borders_[i]->isChecked();
    v.margins[i] = margins_[i]->text().toStdString();
  }
  v.wordWrap = wordWrap_->isChecked();
  auto band = [](const BandControls& c) {
    PrintOptionsValues::Band b;
    b.fontSize = c.size->currentText().toStdString();
    b.fontName = SelectedFont(c.font);
    b.italic = c.italic->isChecked();
    b.bold = c.bold->isChecked();
    b.underline = c.underline->isChecked();
    b.text = c.text->text().toStdString();
    return b;
  };
  v.header = band(header_);
  v.footer = band(footer_);
  return v;
}

void TPrintOptions::accept() {
  const PrintOptionsValues v = Values();
  if (const std::optional<int> bad = InvalidSizeField(v)) {
    // Checked before anything is written, so a bad size never leaves half the options stored.
    const int language = InterfaceLanguage();
    const std::string page = *bad == 0 ? LangText(93, language) : *bad == 1 ? LangText(94, language) : LangText(95, language);
    const std::string& typed = *bad == 0 ? v.fontSize : *bad == 1 ? v.header.fontSize : v.footer.fontSize;
    const std::string field = LangText(99, language) + " (" + page + ")";
    dialogs_.Message(language == 2 ? field + ": \"" + typed + "\" is not a whole number."
                                   : field + ": \"" + typed + "\" nie jest liczbą całkowitą.");
    return;
  }
  SettingsStore store = OpenSettings(kPrinterKey);
  WritePrintOptions(store, v);
  QDialog::accept();
}
