// The main window's tool bars, colour bar and status bar.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "ui/ColorSquare.h"
#include "ui/TMain.h"
#include "ui/ToolIcons.h"

namespace {

// The sixteen colours of the colour bar with their HTML names, in bar order.
struct NamedColor {
  const char* name;
  QColor color;
};
const NamedColor kBarColors[16] = {
    {"Black", QColor(0, 0, 0)},       {"White", QColor(255, 255, 255)}, {"Maroon", QColor(128, 0, 0)},
    {"Green", QColor(0, 128, 0)},     {"Olive", QColor(128, 128, 0)},   {"Navy", QColor(0, 0, 128)},
    {"Purple", QColor(128, 0, 128)},  {"Teal", QColor(0, 128, 128)},    {"Gray", QColor(128, 128, 128)},
    {"Silver", QColor(192, 192, 192)}, {"Red", QColor(255, 0, 0)},      {"Lime", QColor(0, 255, 0)},
    {"Yellow", QColor(255, 255, 0)},  {"Blue", QColor(0, 0, 255)},      {"Fuchsia", QColor(255, 0, 255)},
    {"Aqua", QColor(0, 255, 255)}};

QToolBar* NewBar(QMainWindow* window, const char* name, int height) {
  auto* bar = new QToolBar(window);
  bar->setObjectName(QString::fromLatin1(name));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setIconSize(QSize(16, 16));
  bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  bar->setFixedHeight(height);
  bar->setContextMenuPolicy(Qt::PreventContextMenu);
  window->addToolBar(Qt::TopToolBarArea, bar);
  return bar;
}

void AddButtons(QMainWindow* window, QToolBar* bar, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    QAction* action = window->findChild<QAction*>(QString::fromLatin1(name));
    action->setIcon(ToolIcon(action->objectName()));
    bar->addAction(action);
    if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action))) {
      button->setAutoRaise(true);
      button->setFixedSize(23, 23);
    }
  }
}

}  // namespace

void TMain::CreateToolBars() {
  mainBar_ = NewBar(this, "CoolBar1", 37);
  AddButtons(this, mainBar_,
             {"dokument1", "Otwrz1", "Zapisz1", "Drukuj1", "Kopiuj1", "Wytnij1", "Wklej1", "Cofnij1", "Uruchom1",
              "Ustawienia1", "Zmniejszwcicie1", "Zwikszwcicie1"});
  auto* spacer = new QWidget(mainBar_);
  spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  mainBar_->addWidget(spacer);
  // A picture, not a button: the tool bar would shrink a button's icon to its own icon size.
  logo_ = new QLabel(mainBar_);
  logo_->setObjectName(QStringLiteral("Logo"));
  logo_->setPixmap(LogoPixmap(26));
  logo_->setCursor(Qt::PointingHandCursor);
  logo_->installEventFilter(this);
  mainBar_->addWidget(logo_);
  // The logo keeps 4 pixels from the bar's right edge.
  mainBar_->setContentsMargins(0, 0, 4, 0);

  addToolBarBreak(Qt::TopToolBarArea);
  htmlBar_ = NewBar(this, "CoolBar2", 36);
  AddButtons(this, htmlBar_, {"dolewej1", "centruj1", "doprawej1", "justuj1"});
  htmlBar_->addSeparator();
  AddButtons(this, htmlBar_, {"Pogrubiona1", "Kursywa1", "Podkrelona1"});
  htmlBar_->addSeparator();
  AddButtons(this, htmlBar_, {"H11", "H21", "H31", "H41", "H51", "H61"});
  htmlBar_->addSeparator();
  htmlTags_ = new QComboBox(htmlBar_);
  htmlTags_->setObjectName(QStringLiteral("HTMLTags"));
  htmlTags_->setEditable(true);
  htmlTags_->setFixedWidth(145);
  htmlTags_->setMaxVisibleItems(15);
  htmlTags_->setInsertPolicy(QComboBox::NoInsert);
  htmlBar_->addWidget(htmlTags_);
}

void TMain::CreateColorBar(QWidget* parent) {
  colorBar_ = new QWidget(parent);
  colorBar_->setObjectName(QStringLiteral("ColorBar"));
  colorBar_->setFixedHeight(21);
  for (int i = 0; i < 16; ++i) {
    auto* square = new ColorSquare(kBarColors[i].color, QString(), colorBar_);
    square->setObjectName(QStringLiteral("Color_") + QString::fromLatin1(kBarColors[i].name));
    square->setToolTip(QString::fromLatin1(kBarColors[i].name));
    square->move(4 + 16 * i, 4);
  }
  auto* choose = new ColorSquare(QColor(), QStringLiteral("X"), colorBar_);
  choose->setObjectName(QStringLiteral("Color_X"));
  choose->move(4 + 16 * 16, 4);
}

void TMain::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setSizeGripEnabled(true);
  for (int i = 0; i < 3; ++i) {
    panels_[i] = new QLabel(bar);
    panels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    panels_[i]->setFrameShape(QFrame::Panel);
    panels_[i]->setFrameShadow(QFrame::Sunken);
  }
  // Panel 0 takes whatever the other two leave.
  panels_[0]->setMinimumWidth(0);
  bar->addWidget(panels_[0], 1);
  for (int i = 1; i < 3; ++i) {
    panels_[i]->setFixedWidth(100);
    panels_[i]->setAlignment(Qt::AlignCenter);
    bar->addWidget(panels_[i]);
  }
}
