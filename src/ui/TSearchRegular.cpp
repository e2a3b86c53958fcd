#include "ui/TSearchRegular.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/LangTable.h"
#include "platform/Shell.h"
#include "ui/ApplicationState.h"
#include "ui/Win1250Text.h"

namespace {

constexpr int kHistorySize = 20;

QString Caption(const char* text) { return QString::fromStdString(LangCaption(text)); }

}  // namespace

TSearchRegular::TSearchRegular(Shell& shell, QWidget* parent) : QDialog(parent), shell_(shell) {
  setObjectName(QStringLiteral("SearchRegular"));
  setModal(true);
  auto* column = new QVBoxLayout(this);
  auto* label = new QLabel(this);
  label->setObjectName(QStringLiteral("Label1"));
  column->addWidget(label);
  regularExp_ = new QComboBox(this);
  regularExp_->setObjectName(QStringLiteral("RegularExp"));
  regularExp_->setEditable(true);
  // The list is the history; typing must not add to it (a pattern goes in when it is used).
  regularExp_->setInsertPolicy(QComboBox::NoInsert);
  regularExp_->setMinimumWidth(320);
  label->setBuddy(regularExp_);
  column->addWidget(regularExp_);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
  ok->setObjectName(QStringLiteral("OK"));
  QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
  cancel->setObjectName(QStringLiteral("Cancel"));
  help_ = buttons->addButton(QDialogButtonBox::Help);
  help_->setObjectName(QStringLiteral("Help"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(help_, &QPushButton::clicked, this, [this] {
    const QString url = HelpTopicUrl(QStringLiteral("search_regexp"));
    if (!url.isEmpty()) shell_.Open(url.toStdString());
  });
  column->addWidget(buttons);
}

std::string TSearchRegular::Pattern() const { return ToWin1250(regularExp_->currentText()); }

void TSearchRegular::showEvent(QShowEvent* e) {
  // Only the dialog's own texts are translated: the patterns in the list are the user's.
  setWindowTitle(Caption("#177#Szukaj wyrażenia regularnego..."));
  findChild<QLabel*>(QStringLiteral("Label1"))->setText(Caption("#176#Wyrażenie regularne"));
  findChild<QPushButton*>(QStringLiteral("Cancel"))->setText(Caption("#116#Anuluj"));
  help_->setText(Caption("#221#Pomoc"));
  help_->setVisible(ApplicationHelpFile().has_value());
  QDialog::showEvent(e);
  regularExp_->setFocus();
  regularExp_->lineEdit()->selectAll();
}

void TSearchRegular::accept() {
  const QString pattern = regularExp_->currentText();
  if (!pattern.isEmpty()) {
    const int old = regularExp_->findText(pattern, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (old >= 0) regularExp_->removeItem(old);
    regularExp_->insertItem(0, pattern);
    while (regularExp_->count() > kHistorySize) regularExp_->removeItem(regularExp_->count() - 1);
    regularExp_->setCurrentIndex(0);
  }
  QDialog::accept();
}
