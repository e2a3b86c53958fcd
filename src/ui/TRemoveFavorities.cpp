#include "ui/TRemoveFavorities.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/ApplicationState.h"
#include "ui/Translate.h"

TRemoveFavorities::TRemoveFavorities(SettingsStore& settings, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), organizer_(settings, dialogs) {
  setObjectName(QStringLiteral("RemoveFavorities"));
  setWindowTitle(QStringLiteral("#82#Organizuj ulubione"));
  setModal(true);

  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("ListBox1"));
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setMinimumSize(420, 200);
  auto* add = new QPushButton(QStringLiteral("#83#&Dodaj"), this);
  add->setObjectName(QStringLiteral("Add"));
  auto* remove = new QPushButton(QStringLiteral("#84#&Usuń"), this);
  remove->setObjectName(QStringLiteral("Remove"));
  auto* close = new QPushButton(QStringLiteral("#85#&Zamknij"), this);
  close->setObjectName(QStringLiteral("Close"));
  for (QPushButton* b : {add, remove, close}) b->setAutoDefault(false);
  connect(add, &QPushButton::clicked, this, &TRemoveFavorities::Add);
  connect(remove, &QPushButton::clicked, this, &TRemoveFavorities::Remove);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(add);
  buttons->addWidget(remove);
  buttons->addStretch(1);
  buttons->addWidget(close);
  auto* row = new QHBoxLayout(this);
  row->addWidget(list_, 1);
  row->addLayout(buttons);
}

void TRemoveFavorities::showEvent(QShowEvent* e) {
  TranslateControl(this);
  organizer_.Fill();
  FillList();
  QDialog::showEvent(e);
}

void TRemoveFavorities::FillList() {
  list_->clear();
  for (const std::string& name : organizer_.Lines()) list_->addItem(QString::fromStdString(name));
}

void TRemoveFavorities::Remove() {
  std::vector<int> selected;
  for (int i = 0; i < list_->count(); ++i)
    if (list_->item(i)->isSelected()) selected.push_back(i);
  try {
    organizer_.RemoveSelected(selected);
  } catch (const std::exception& e) {
    QMessageBox::warning(this, ApplicationTitle(), QString::fromStdString(e.what()));
  }
  FillList();
}

void TRemoveFavorities::Add() {
  try {
    organizer_.Add();
  } catch (const std::exception& e) {
    QMessageBox::warning(this, ApplicationTitle(), QString::fromStdString(e.what()));
  }
  FillList();
}
