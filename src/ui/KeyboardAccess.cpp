#include "ui/KeyboardAccess.h"

#include <QAction>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QTranslator>
#include <array>

namespace {

// Where the "&" goes in each top-level caption. The captions' words are the language table's; Plik and
// Pomoc, File and Favorites, HTML and Help share their first letters, so one of each pair takes another.
struct Mnemonic {
  const char* menu;
  int polish;
  int english;
};
constexpr std::array<Mnemonic, 7> kMnemonics{{
    {"Plik1", 0, 0},      // &Plik, &File
    {"Edycja1", 0, 0},    // &Edycja, &Edit
    {"Szukaj1", -1, -1},  // the table's caption has its own: &Szukaj, &Search
    {"HTML1", 1, 1},      // H&TML
    {"Ulubione1", 0, 1},  // &Ulubione, F&avorites
    {"Opcje1", 0, 0},     // &Opcje, &Options
    {"Pomoc1", 2, 0},     // Po&moc, &Help
}};

}  // namespace

void AddMenuMnemonics(QMainWindow* window, int language) {
  for (const Mnemonic& m : kMnemonics) {
    const int at = language == 1 ? m.polish : m.english;
    auto* menu = window->menuBar()->findChild<QMenu*>(QString::fromLatin1(m.menu));
    if (menu == nullptr || at < 0 || menu->title().contains(QLatin1Char('&'))) continue;
    QString title = menu->title();
    title.insert(std::min(at, static_cast<int>(title.size())), QLatin1Char('&'));
    menu->setTitle(title);
    menu->menuAction()->setText(title);
  }
}

void AddMenuBarKey(QMainWindow* window) {
  auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), window);
  QObject::connect(f10, &QShortcut::activated, window, [window] {
    QMenuBar* bar = window->menuBar();
    const QList<QAction*> menus = bar->actions();
    if (!menus.isEmpty()) bar->setActiveAction(menus.first());
  });
}

void InstallQtTranslations(int language) {
  QCoreApplication* app = QCoreApplication::instance();
  const QString name = QStringLiteral("QuillpadQtTranslations");
  if (auto* old = app->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly)) {
    QCoreApplication::removeTranslator(old);
    delete old;
  }
  if (language != 1) return;
  auto* translator = new QTranslator(app);
  translator->setObjectName(name);
  if (translator->load(QStringLiteral("qtbase_pl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(translator);
  else
    delete translator;
}
