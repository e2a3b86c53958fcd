#include "ui/TLanguageSetup.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/SettingsStore.h"
#include "ui/ToolIcons.h"

TLanguageSetup::TLanguageSetup(SettingsStore& settings, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      settings_(settings) {
  setObjectName(QStringLiteral("LanguageSetup"));
  setWindowTitle(QStringLiteral("Quillpad"));
  setWindowIcon(ProgramIcon());
  setModal(true);

  auto* label = new QLabel(QStringLiteral("Wybierz wersję językową / Select editor interface language"), this);
  label->setObjectName(QStringLiteral("Label1"));
  auto* polish = new QPushButton(QStringLiteral("Polski interfejs"), this);
  polish->setObjectName(QStringLiteral("Polish"));
  auto* english = new QPushButton(QStringLiteral("English interface"), this);
  english->setObjectName(QStringLiteral("English"));
  polish->setAutoDefault(false);
  english->setAutoDefault(false);
  connect(polish, &QPushButton::clicked, this, [this] { Choose(1); });
  connect(english, &QPushButton::clicked, this, [this] { Choose(2); });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(polish);
  buttons->addWidget(english);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(16, 16, 16, 16);
  column->setSpacing(14);
  column->addWidget(label);
  column->addLayout(buttons);
  column->setSizeConstraint(QLayout::SetFixedSize);
}

void TLanguageSetup::Choose(int language) {
  chosen_ = language;
  try {
    settings_.WriteInteger("Interface", "Language", language);
    stored_ = true;
  } catch (const std::exception& e) {
    // The program goes on in the chosen language; the question comes back at the next start.
    QMessageBox::warning(this, windowTitle(), QString::fromStdString(e.what()));
  }
  accept();
}
