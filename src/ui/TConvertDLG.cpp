#include "ui/TConvertDLG.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/Translate.h"
#include "ui/Win1250Text.h"

TConvertDLG::TConvertDLG(Group group, QWidget* parent) : QDialog(parent), group_(group) {
  setObjectName(QStringLiteral("ConvertDLG"));
  setWindowTitle(QStringLiteral("#180#Konwertuj"));
  setModal(true);
  auto* column = new QVBoxLayout(this);
  column->addWidget(group == Group::FirstCharacter ? NewCharacterGroup() : NewNumberingGroup());
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("OK"));
  ok->setDefault(true);
  buttons->addButton(QStringLiteral("#116#Anuluj"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("Cancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  column->addWidget(buttons);
}

QGroupBox* TConvertDLG::NewCharacterGroup() {
  auto* box = new QGroupBox(QStringLiteral("#181#Poprzedź linie znakiem..."), this);
  box->setObjectName(QStringLiteral("FirstCharacter"));
  auto* row = new QHBoxLayout(box);
  characters_ = new QButtonGroup(this);
  for (const char* text : {">", "-", "*", "#"}) {
    auto* option = new QRadioButton(QString::fromLatin1(text), box);
    option->setObjectName(QStringLiteral("Option") + QString::fromLatin1(text));
    characters_->addButton(option);
    row->addWidget(option);
  }
  auto* other = new QRadioButton(QStringLiteral("#183#Inny"), box);
  other->setObjectName(QStringLiteral("Other"));
  characters_->addButton(other);
  row->addWidget(other);
  character_ = new QLineEdit(QStringLiteral(">"), box);
  character_->setObjectName(QStringLiteral("Character"));
  character_->setMaxLength(1);
  character_->setFixedWidth(character_->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 3);
  character_->installEventFilter(this);
  row->addWidget(character_);
  characters_->buttons().constFirst()->setChecked(true);
  // A sign option writes its sign into the box; the box's text is always what goes before the lines.
  connect(characters_, &QButtonGroup::buttonClicked, this, [this, other](QAbstractButton* option) {
    if (option != other) character_->setText(option->text());
  });
  return box;
}

QGroupBox* TConvertDLG::NewNumberingGroup() {
  auto* box = new QGroupBox(QStringLiteral("#184#Sposób numerowania"), this);
  box->setObjectName(QStringLiteral("Numbering"));
  auto* column = new QVBoxLayout(box);
  styles_ = new QButtonGroup(this);
  const std::pair<const char*, const char*> options[] = {{"Arabic", "#185#Cyfry arabskie (1, 2, 3...)"},
                                                         {"SmallLetters", "#186#Małe litery (a, b, c...)"},
                                                         {"CapitalLetters", "#187#Wielkie litery (A, B, C...)"}};
  int id = 0;
  for (const auto& [name, caption] : options) {
    auto* option = new QRadioButton(QString::fromUtf8(caption), box);
    option->setObjectName(QString::fromLatin1(name));
    styles_->addButton(option, id++);
    column->addWidget(option);
  }
  styles_->button(0)->setChecked(true);
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(QStringLiteral("#188#Rozpocznij od"), box));
  first_ = new QSpinBox(box);
  first_->setObjectName(QStringLiteral("FirstNumber"));
  first_->setRange(1, 65000);
  first_->setValue(1);
  row->addWidget(first_);
  row->addStretch(1);
  column->addLayout(row);
  return box;
}

void TConvertDLG::showEvent(QShowEvent* e) {
  TranslateControl(this);
  QDialog::showEvent(e);
  (group_ == Group::FirstCharacter ? characters_->buttons().constFirst() : styles_->button(0))->setFocus();
}

bool TConvertDLG::eventFilter(QObject* watched, QEvent* e) {
  // Typing into the box (any key that reaches it) means a sign of one's own.
  if (watched == character_ && e->type() == QEvent::KeyPress) {
    const auto key = static_cast<QKeyEvent*>(e)->key();
    if (key != Qt::Key_Tab && key != Qt::Key_Backtab && key != Qt::Key_Return && key != Qt::Key_Enter &&
        key != Qt::Key_Escape)
      findChild<QRadioButton*>(QStringLiteral("Other"))->setChecked(true);
  }
  return QDialog::eventFilter(watched, e);
}

std::string TConvertDLG::Prefix() const { return character_ != nullptr ? ToWin1250(character_->text()) : std::string(); }

TNumberingChoice TConvertDLG::Numbering() const {
  if (styles_ == nullptr) return {};
  const int id = styles_->checkedId();
  return {id == 1 ? TNumbering::SmallLetters : id == 2 ? TNumbering::CapitalLetters : TNumbering::Arabic, first_->value()};
}
