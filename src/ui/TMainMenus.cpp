// The main window's menus: every item with its design-time caption ("#<id>#<reminder>"), shortcut and
// stored name, and the two popup menus of the editor.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "ui/TMain.h"

QAction* TMain::AddItem(QWidget* menu, const char* name, const char* caption, const char* shortcut) {
  auto* item = new QAction(QString::fromUtf8(caption), this);
  item->setObjectName(QString::fromLatin1(name));
  if (shortcut != nullptr) item->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
  menu->addAction(item);
  return item;
}

QMenu* TMain::AddSubmenu(QWidget* menu, const char* name, const char* caption) {
  auto* sub = new QMenu(QString::fromUtf8(caption), menu);
  sub->setObjectName(QString::fromLatin1(name));
  sub->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Item"));
  if (auto* bar = qobject_cast<QMenuBar*>(menu))
    bar->addMenu(sub);
  else
    qobject_cast<QMenu*>(menu)->addMenu(sub);
  return sub;
}

void TMain::CreateMainMenu() {
  QMenuBar* bar = menuBar();

  QMenu* plik = AddSubmenu(bar, "Plik1", "#14#Plik");
  QMenu* nowy = AddSubmenu(plik, "Nowy1", "#2#Nowy");
  AddItem(nowy, "dokument1", "#3#dokument", "Ctrl+N");
  AddItem(nowy, "dokumentHTML1", "#4#dokument HTML", "Ctrl+H");
  AddItem(nowy, "okno1", "#5#okno", "Ctrl+W");
  AddItem(plik, "Otwrz1", "#1#Otwórz...", "Ctrl+O");
  AddItem(plik, "Zapisz1", "#6#Zapisz", "Ctrl+S");
  AddItem(plik, "Zapiszjako1", "#7#Zapisz jako...");
  AddItem(plik, "ZapiszwformacieUNIX1", "#8#Zapisz w formacie UNIX...");
  QAction* recentSeparator = plik->addSeparator();
  recentSeparator->setObjectName(QStringLiteral("OpenedDocumentsSeparator"));
  for (const char* name : {"OpenedDocument1", "OpenedDocument2", "OpenedDocument3", "OpenedDocument4"})
    AddItem(plik, name, "")->setVisible(false);
  plik->addSeparator();
  AddItem(plik, "Opcjewydruku1", "#9#Opcje wydruku...");
  AddItem(plik, "Podgldwydruku1", "#10#Podgląd wydruku...");
  AddItem(plik, "Drukuj1", "#11#Drukuj...");
  plik->addSeparator();
  AddItem(plik, "Uruchom1", "#12#Uruchom", "F5");
  plik->addSeparator();
  AddItem(plik, "Zakocz1", "#13#Zakończ", "Ctrl+Q");

  QMenu* edycja = AddSubmenu(bar, "Edycja1", "#15#Edycja");
  QMenu* strona = AddSubmenu(edycja, "Stronakodowa1", "#22#Strona kodowa");
  AddItem(strona, "ISO885921", "ISO-8859-2");
  AddItem(strona, "Windows12501", "Windows-1250");
  AddItem(strona, "UTF81", "UTF-8");
  strona->addSeparator();
  AddItem(strona, "Latin2CP8521", "Latin2 (CP852)");
  AddItem(strona, "Mazovia1", "Mazovia");
  AddItem(strona, "AmigaPL1", "AmigaPL");
  AddItem(edycja, "Cofnij1", "#23#Cofnij", "Ctrl+Z");
  edycja->addSeparator();
  AddItem(edycja, "Kopiuj1", "#24#Kopiuj", "Ctrl+C");
  AddItem(edycja, "Wklej1", "#25#Wklej", "Ctrl+V");
  AddItem(edycja, "Wytnij1", "#26#Wytnij", "Ctrl+X");
  AddItem(edycja, "Zaznaczwszystko1", "#27#Zaznacz wszystko", "Ctrl+A");
  edycja->addSeparator();
  QMenu* konwertuj = AddSubmenu(edycja, "Konwertuj1", "#180#Konwertuj");
  AddItem(konwertuj, "Poprzedlinieznakiem1", "#181#Poprzedź linie znakiem...");
  AddItem(konwertuj, "Numerujlinie1", "#182#Numeruj linie...");
  AddItem(edycja, "DataGodzina1", "#28#Data / Godzina", "F6");
  AddItem(edycja, "Optymalizujdokument1", "#29#Optymalizuj dokument");
  AddItem(edycja, "Usuznakinarodowe1", "#174#Usuń znaki narodowe");
  edycja->addSeparator();
  AddItem(edycja, "Zmniejszwcicie1", "#30#Zmniejsz wcięcie", "Ctrl+K");
  AddItem(edycja, "Zwikszwcicie1", "#31#Zwiększ wcięcie", "Ctrl+L");
  QMenu* wielkosc = AddSubmenu(edycja, "Zmiewielkoliter1", "#32#Zmień wielkość liter");
  AddItem(wielkosc, "maelitery1", "#33#małe litery");
  AddItem(wielkosc, "WIELKIELITERY1", "#34#WIELKIE LITERY");

  QMenu* szukaj = AddSubmenu(bar, "Szukaj1", "#16#&Szukaj");
  AddItem(szukaj, "Znajd1", "#35# Znajdź...", "Ctrl+F");
  AddItem(szukaj, "Znajdwyraenieregularne1", "#175#Znajdź wyrażenie regularne...", "Ctrl+R");
  AddItem(szukaj, "Znajdnastpny1", "#36#Znajdź następny", "F3");
  AddItem(szukaj, "Zastp1", "#37#Zastąp...");
  szukaj->addSeparator();
  AddItem(szukaj, "Skoczdolinii1", "#38#Skocz do linii...", "Ctrl+G");

  QMenu* html = AddSubmenu(bar, "HTML1", "#17#HTML");
  QMenu* czcionka = AddSubmenu(html, "Czcionka1", "#39#Czcionka");
  AddItem(czcionka, "Pogrubiona1", "#40#Pogrubiona", "Ctrl+B");
  AddItem(czcionka, "Kursywa1", "#41#Kursywa", "Ctrl+I");
  AddItem(czcionka, "Podkrelona1", "#42#Podkreślona", "Ctrl+U");
  AddItem(czcionka, "Przekrelona1", "#43#Przekreślona");
  QMenu* polozenie = AddSubmenu(html, "Pooenie1", "#44#Położenie");
  AddItem(polozenie, "dolewej1", "#45#do lewej");
  AddItem(polozenie, "centruj1", "#46#centruj");
  AddItem(polozenie, "doprawej1", "#47#do prawej");
  AddItem(polozenie, "justuj1", "#48#justuj");
  QMenu* naglowek = AddSubmenu(html, "Nagwek1", "#49#Nagłówek");
  for (int level = 1; level <= 6; ++level) {
    const QByteArray name = "H" + QByteArray::number(level) + "1";
    const QByteArray caption = "<h" + QByteArray::number(level) + "></h" + QByteArray::number(level) + ">";
    AddItem(naglowek, name.constData(), caption.constData());
  }
  AddItem(html, "Wstawkolor1", "#50#Wstaw kolor...");
  AddItem(html, "Wstawznacznik1", "#51#Wstaw znacznik...");
  html->addSeparator();
  AddItem(html, "Powtrzwstawienieznacznika1", "#52#Powtórz wstawienie znacznika", "F8");

  QMenu* ulubione = AddSubmenu(bar, "Ulubione1", "#18#Ulubione");
  AddItem(ulubione, "Dodajdoulubionych1", "#53#Dodaj do ulubionych", "Ctrl+D");
  AddItem(ulubione, "Organizujulubione1", "#54#Organizuj ulubione...");
  ulubione->addSeparator()->setObjectName(QStringLiteral("FavoritesSeparator"));

  QMenu* opcje = AddSubmenu(bar, "Opcje1", "#19#Opcje");
  AddItem(opcje, "Ustawienia1", "#55#Ustawienia...");
  opcje->addSeparator();
  AddItem(opcje, "Interfejspolski1", "#171#Interfejs : polski");
  AddItem(opcje, "Interfejsangielski1", "#172#Interfejs : angielski");
  opcje->addSeparator();
  highlighters_ = new QActionGroup(this);
  highlighters_->setExclusive(true);
  for (const auto& [name, caption] : std::initializer_list<std::pair<const char*, const char*>>{
           {"KolorujHTML1", "#56#Koloruj składnię : HTML/XML"},
           {"KolorujPerl1", "#57#Koloruj składnię : Perl"},
           {"KolorujPHP1", "#58#Koloruj składnię : PHP"},
           {"KolorujPascal1", "#59#Koloruj składnię : Pascal"},
           {"KolorujCPP1", "#227#Koloruj składnię : CPP"},
           {"KolorujCSS1", "#228#Koloruj składnię : CSS"},
           {"Bezkolorowania1", "#60#Bez kolorowania"}}) {
    QAction* item = AddItem(opcje, name, caption);
    item->setCheckable(true);
    highlighters_->addAction(item);
  }
  highlighters_->actions().constFirst()->setChecked(true);
  opcje->addSeparator();
  for (const auto& [name, caption] : std::initializer_list<std::pair<const char*, const char*>>{
           {"BelkaHTML1", "#61#Pokaż belkę narzędzi HTML"},
           {"Belkakolorw1", "#64#Pokaż belkę kolorów"},
           {"Zawijajwiersze1", "#62#Zawijaj wiersze"},
           {"Zawszenawierzchu1", "#63#Zawsze na wierzchu"}})
    AddItem(opcje, name, caption)->setCheckable(true);

  QMenu* pomoc = AddSubmenu(bar, "Pomoc1", "#20#Pomoc");
  AddItem(pomoc, "Pomoc2", "#221#Pomoc", "F1");
  pomoc->addSeparator()->setObjectName(QStringLiteral("PomocSeparator"));
  AddItem(pomoc, "Oprogramie1", "#21#O programie");
}

void TMain::CreatePopupMenus() {
  auto item = [this](const char* name) { return findChild<QAction*>(QString::fromLatin1(name)); };

  unSelect_ = new QMenu(this);
  unSelect_->setObjectName(QStringLiteral("UnSelect"));
  unSelect_->addAction(item("Otwrz1"));
  AddItem(unSelect_, "Otwrzlink1", "#178#Otwórz link")->setVisible(false);
  AddItem(unSelect_, "Otwrzlinkwnowymoknie1", "#179#Otwórz link w nowym oknie")->setVisible(false);
  unSelect_->addAction(item("Wklej1"));
  unSelect_->addAction(item("Cofnij1"));
  unSelect_->addSeparator();
  const std::pair<const char*, const char*> bookmarkMenus[] = {
      {"Idzdozakadki1", "#89#Idź do zakładki"}, {"Ustawzakadk1", "#90#Ustaw zakładkę"}, {"Usuzakadk1", "#91#Usuń zakładkę"}};
  for (int kind = 0; kind < 3; ++kind) {
    QMenu* sub = AddSubmenu(unSelect_, bookmarkMenus[kind].first, bookmarkMenus[kind].second);
    for (int n = 1; n <= 9; ++n) {
      const QByteArray name = QByteArray(bookmarkMenus[kind].first) + "_" + QByteArray::number(n);
      QAction* mark = AddItem(sub, name.constData(), QByteArray::number(n).constData());
      mark->setCheckable(true);
      connect(mark, &QAction::triggered, this, [this, mark, kind] { BookmarkClick(mark, kind); });
    }
  }
  connect(unSelect_, &QMenu::aboutToShow, this, &TMain::UnSelectAboutToShow);

  select_ = new QMenu(this);
  select_->setObjectName(QStringLiteral("Select"));
  for (const char* name : {"Otwrz1", "Kopiuj1", "Wytnij1", "Wklej1"}) select_->addAction(item(name));
  select_->addSeparator();
  // The same tag commands as the HTML menu.
  for (const char* name : {"Czcionka1", "Pooenie1", "Nagwek1"}) {
    const QMenu* original = findChild<QMenu*>(QString::fromLatin1(name));
    QMenu* copy = AddSubmenu(select_, (QByteArray(name) + "Select").constData(),
                             original->title().toUtf8().constData());
    copy->addActions(original->actions());
  }
}
