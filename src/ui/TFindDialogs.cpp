#include "ui/TFindDialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/LangTable.h"
#include "ui/Win1250Text.h"

namespace {

// These dialogs stand in for the desktop's own find and replace dialogs, whose wording is not in the
// language table; they follow the interface language all the same.
QString Say(const char* polish, const char* english) {
  return QString::fromUtf8(InterfaceLanguage() == 2 ? english : polish);
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

QLineEdit* TextField(QWidget* parent, const char* name) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(QString::fromLatin1(name));
  field->setMinimumWidth(240);
  return field;
}

// The buttons that search are of no use while there is nothing to search for.
void EnableWithText(QLineEdit* field, std::initializer_list<QPushButton*> buttons) {
  auto update = [field, buttons = std::vector<QPushButton*>(buttons)] {
    for (QPushButton* b : buttons) b->setEnabled(!field->text().isEmpty());
  };
  QObject::connect(field, &QLineEdit::textChanged, field, update);
  update();
}

}  // namespace

TFindDialog::TFindDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FindDialog1"));
  setWindowTitle(Say("Znajdź", "Find"));
  setModal(false);
  auto* grid = new QGridLayout(this);
  auto* label = new QLabel(Say("&Znajdź:", "Fi&nd what:"), this);
  findText_ = TextField(this, "FindText");
  label->setBuddy(findText_);
  grid->addWidget(label, 0, 0);
  grid->addWidget(findText_, 0, 1);

  matchCase_ = new QCheckBox(Say("&Uwzględniaj wielkość liter", "Match &case"), this);
  matchCase_->setObjectName(QStringLiteral("MatchCase"));
  grid->addWidget(matchCase_, 1, 0, 1, 2);
  auto* direction = new QGroupBox(Say("Kierunek", "Direction"), this);
  auto* row = new QHBoxLayout(direction);
  auto* up = new QRadioButton(Say("W &górę", "&Up"), direction);
  up->setObjectName(QStringLiteral("Up"));
  down_ = new QRadioButton(Say("W &dół", "&Down"), direction);
  down_->setObjectName(QStringLiteral("Down"));
  down_->setChecked(true);
  row->addWidget(up);
  row->addWidget(down_);
  grid->addWidget(direction, 2, 0, 1, 2);

  auto* buttons = new QVBoxLayout;
  QPushButton* find = Button(this, "FindNext", Say("Znajdź &następny", "&Find Next"));
  find->setDefault(true);
  QPushButton* cancel = Button(this, "Cancel", Say("Anuluj", "Cancel"));
  buttons->addWidget(find);
  buttons->addWidget(cancel);
  buttons->addStretch();
  grid->addLayout(buttons, 0, 2, 3, 1);
  EnableWithText(findText_, {find});
  connect(find, &QPushButton::clicked, this, [this] {
    if (OnFind) OnFind();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

TFindOptions TFindDialog::Options() const {
  return {ToWin1250(findText_->text()), matchCase_->isChecked(), down_->isChecked()};
}

TReplaceDialog::TReplaceDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ReplaceDialog1"));
  setWindowTitle(Say("Zamień", "Replace"));
  setModal(false);
  auto* grid = new QGridLayout(this);
  auto* findLabel = new QLabel(Say("&Znajdź:", "Fi&nd what:"), this);
  findText_ = TextField(this, "FindText");
  findLabel->setBuddy(findText_);
  auto* replaceLabel = new QLabel(Say("Zamień &na:", "Re&place with:"), this);
  replaceText_ = TextField(this, "ReplaceText");
  replaceLabel->setBuddy(replaceText_);
  grid->addWidget(findLabel, 0, 0);
  grid->addWidget(findText_, 0, 1);
  grid->addWidget(replaceLabel, 1, 0);
  grid->addWidget(replaceText_, 1, 1);
  matchCase_ = new QCheckBox(Say("&Uwzględniaj wielkość liter", "Match &case"), this);
  matchCase_->setObjectName(QStringLiteral("MatchCase"));
  grid->addWidget(matchCase_, 2, 0, 1, 2);

  auto* buttons = new QVBoxLayout;
  QPushButton* find = Button(this, "FindNext", Say("Znajdź &następny", "&Find Next"));
  find->setDefault(true);
  QPushButton* replace = Button(this, "Replace", Say("Za&mień", "&Replace"));
  QPushButton* replaceAll = Button(this, "ReplaceAll", Say("Zamień &wszystko", "Replace &All"));
  QPushButton* cancel = Button(this, "Cancel", Say("Anuluj", "Cancel"));
  for (QPushButton* b : {find, replace, replaceAll, cancel}) buttons->addWidget(b);
  buttons->addStretch();
  grid->addLayout(buttons, 0, 2, 4, 1);
  EnableWithText(findText_, {find, replace, replaceAll});
  connect(find, &QPushButton::clicked, this, [this] {
    if (OnFind) OnFind();
  });
  connect(replace, &QPushButton::clicked, this, [this] {
    if (OnReplace) OnReplace(false);
  });
  connect(replaceAll, &QPushButton::clicked, this, [this] {
    if (OnReplace) OnReplace(true);
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

TReplaceOptions TReplaceDialog::Options() const {
  return {ToWin1250(findText_->text()), ToWin1250(replaceText_->text()), matchCase_->isChecked()};
}
