#include "ui/TTifOfTheDay.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/LangTable.h"
#include "settings/SettingsStore.h"
#include "ui/ApplicationState.h"
#include "ui/Translate.h"

TTifOfTheDay::TTifOfTheDay(SettingsStore& settings, int firstId, int lastId, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      settings_(settings), firstId_(firstId), lastId_(std::max(firstId, lastId)) {
  setObjectName(QStringLiteral("TipOfTheDay"));
  setWindowTitle(QStringLiteral("#195#Porada dnia"));
  setModal(true);

  auto* heading = new QLabel(QStringLiteral("#198#Czy wiesz że..."), this);
  heading->setObjectName(QStringLiteral("Label1"));
  QFont bold = heading->font();
  bold.setBold(true);
  bold.setPointSize(bold.pointSize() + 2);
  heading->setFont(bold);

  tip_ = new QLabel(this);
  tip_->setObjectName(QStringLiteral("TipText"));
  tip_->setWordWrap(true);
  tip_->setMinimumSize(320, 90);
  tip_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  tip_->setMargin(10);
  tip_->setAutoFillBackground(true);
  QPalette info = tip_->palette();
  info.setColor(QPalette::Window, info.color(QPalette::ToolTipBase));
  info.setColor(QPalette::WindowText, info.color(QPalette::ToolTipText));
  tip_->setPalette(info);
  tip_->setFrameStyle(QFrame::Panel | QFrame::Sunken);

  dontShow_ = new QCheckBox(QStringLiteral("#196#Nie pokazuj wiecej tego okienka"), this);
  dontShow_->setObjectName(QStringLiteral("DontShow"));
  auto* next = new QPushButton(QStringLiteral("#199#Następna"), this);
  next->setObjectName(QStringLiteral("Next"));
  auto* close = new QPushButton(QStringLiteral("#197#Zamknij"), this);
  close->setObjectName(QStringLiteral("Close"));
  close->setDefault(true);
  connect(next, &QPushButton::clicked, this, &TTifOfTheDay::NextTip);
  connect(close, &QPushButton::clicked, this, &TTifOfTheDay::Close);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(dontShow_, 1);
  buttons->addWidget(next);
  buttons->addWidget(close);
  auto* column = new QVBoxLayout(this);
  column->addWidget(heading);
  column->addWidget(tip_, 1);
  column->addLayout(buttons);
}

void TTifOfTheDay::showEvent(QShowEvent* e) {
  TranslateControl(this);
  SeedProgramRandom();
  NextTip();
  QDialog::showEvent(e);
}

void TTifOfTheDay::NextTip() {
  std::uniform_int_distribution<int> draw(firstId_, lastId_);
  tipId_ = draw(ProgramRandom());
  tip_->setText(QString::fromStdString(LangText(tipId_, InterfaceLanguage())));
}

void TTifOfTheDay::Close() {
  try {
    settings_.WriteBool("Tips", "ShowTips", !dontShow_->isChecked());
  } catch (const std::exception& e) {
    QMessageBox::warning(this, ApplicationTitle(), QString::fromStdString(e.what()));
  }
  accept();
}
