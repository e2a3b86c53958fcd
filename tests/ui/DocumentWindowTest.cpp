// The main window with documents: dropped files, recent files and favourites (the command line, Execute and
// the question before a changed document goes are driven end to end in test_main_window.py).
#include <gtest/gtest.h>

#include <QDropEvent>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

#include "UiTestSupport.h"

namespace {

struct Window : TestWindow {
  explicit Window(std::vector<std::string> arguments = {}) : TestWindow(2, std::move(arguments)) { Show(); }
  void Drop(const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    // Qt delivers a drop to the widget that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(main.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(main.get(), &drop);
  }
};

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  return ::WriteFile(dir.filePath(name), bytes);
}

}  // namespace

TEST(Documents, ADroppedTextFileOpensAndABinaryOneIsRefused) {
  QTemporaryDir dir;
  const QString binary = WriteFile(dir, QStringLiteral("tool.bin"), QByteArray("ELF\x01\x02\x03", 6));
  const QString text = WriteFile(dir, QStringLiteral("notes.txt"), "one\r\ntwo");
  Window w;
  w.Drop(binary);
  EXPECT_EQ(w.Editor().DocumentFileName(), "");
  w.Drop(text);
  EXPECT_EQ(w.Editor().DocumentFileName(), text.toStdString());
  EXPECT_EQ(w.Editor().Text(), "one\r\ntwo");
}

TEST(Documents, FavouritesFillTheirMenuAndOpenTheirFile) {
  QTemporaryDir dir;
  const QString a = WriteFile(dir, QStringLiteral("a&b.txt"), "first");
  const QString b = WriteFile(dir, QStringLiteral("b.txt"), "second");
  Window w({a.toStdString()});
  w.Item(QStringLiteral("Dodajdoulubionych1"))->trigger();
  w.main->OpenDocument(b.toStdString());
  w.Item(QStringLiteral("Dodajdoulubionych1"))->trigger();
  QAction* first = w.Item(QStringLiteral("Favourite1"));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->text(), QString(a).replace('&', QStringLiteral("&&")));
  ASSERT_NE(w.Item(QStringLiteral("Favourite2")), nullptr);
  first->trigger();
  EXPECT_EQ(w.Editor().DocumentFileName(), a.toStdString());
  EXPECT_EQ(w.Editor().Text(), "first");
  // The recent list holds both, newest first.
  EXPECT_EQ(w.Item(QStringLiteral("OpenedDocument1"))->data().toString(), b);
  EXPECT_EQ(w.Item(QStringLiteral("OpenedDocument2"))->data().toString(), a);
}

TEST(Documents, OrganisingFavouritesRemovesTheChosenOnesAndRebuildsTheMenu) {
  Window w;
  SettingsStore& s = w.settings.Store();
  s.WriteString("Favorites", "Item1", "/one.txt");
  s.WriteString("Favorites", "Item2", "/two.txt");
  s.WriteString("Favorites", "Item3", "/three.txt");
  QStringList shown;
  ModalWatcher watch([&](QWidget* modal) {
    auto* list = modal->findChild<QListWidget*>(QStringLiteral("ListBox1"));
    for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text();
    list->item(1)->setSelected(true);
    modal->findChild<QPushButton*>(QStringLiteral("Remove"))->click();
    shown << QString::number(list->count());
    modal->findChild<QPushButton*>(QStringLiteral("Close"))->click();
  });
  w.Item(QStringLiteral("Organizujulubione1"))->trigger();
  EXPECT_EQ(shown, QStringList({"/one.txt", "/two.txt", "/three.txt", "2"}));
  EXPECT_EQ(s.ReadString("Favorites", "Item2", "?"), "");
  EXPECT_EQ(s.ReadString("Favorites", "Item3", "?"), "/three.txt");
  EXPECT_NE(w.Item(QStringLiteral("Favourite3")), nullptr);
  EXPECT_EQ(w.Item(QStringLiteral("Favourite2")), nullptr);
  // The menu lists the highest slot first, after its separator.
  const QList<QAction*> items = w.main->findChild<QMenu*>(QStringLiteral("Ulubione1"))->actions();
  ASSERT_GE(items.size(), 5);
  EXPECT_EQ(items[3]->objectName(), QStringLiteral("Favourite3"));
  EXPECT_EQ(items[4]->objectName(), QStringLiteral("Favourite1"));
}
