#include "ui/Translate.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include "app/LangTable.h"

namespace {

QString Caption(const QString& text) {
  return QString::fromStdString(LangCaption(text.toStdString()));
}

}  // namespace

void TranslateAction(QAction* action) {
  action->setText(Caption(action->text()));
  action->setToolTip(Caption(action->toolTip()));
}

void TranslateMenu(QWidget* menu) {
  if (qobject_cast<QMenu*>(menu) == nullptr && qobject_cast<QMenuBar*>(menu) == nullptr) return;
  for (QAction* item : menu->actions()) {
    item->setText(Caption(item->text()));
    if (QMenu* sub = item->menu()) {
      sub->setTitle(item->text());
      TranslateMenu(sub);
    }
  }
}

void TranslateControl(QWidget* control) {
  if (control == nullptr || qobject_cast<QMenu*>(control) != nullptr || qobject_cast<QMenuBar*>(control) != nullptr)
    return;
  for (QObject* child : control->children())
    if (auto* w = qobject_cast<QWidget*>(child); w != nullptr && !w->isWindow()) TranslateControl(w);

  if (control->isWindow()) control->setWindowTitle(Caption(control->windowTitle()));
  if (auto* bar = qobject_cast<QToolBar*>(control)) {
    for (QAction* a : bar->actions()) TranslateAction(a);
  } else if (auto* tool = qobject_cast<QToolButton*>(control)) {
    // A tool bar's buttons show their action, which the tool bar has translated.
    if (tool->defaultAction() == nullptr) {
      tool->setText(Caption(tool->text()));
      tool->setToolTip(Caption(tool->toolTip()));
    }
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(Caption(button->text()));
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    // Setting a text would drop a label's picture, so only a text that changes is set.
    if (const QString t = Caption(label->text()); t != label->text()) label->setText(t);
  } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
    group->setTitle(Caption(group->title()));
  } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
    for (int i = 0; i < combo->count(); ++i) combo->setItemText(i, Caption(combo->itemText(i)));
  } else if (auto* list = qobject_cast<QListWidget*>(control)) {
    for (int i = 0; i < list->count(); ++i) list->item(i)->setText(Caption(list->item(i)->text()));
  } else if (auto* tabs = qobject_cast<QTabWidget*>(control)) {
    for (int i = 0; i < tabs->count(); ++i) tabs->setTabText(i, Caption(tabs->tabText(i)));
  }
}
