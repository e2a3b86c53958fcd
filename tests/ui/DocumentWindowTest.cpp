// The main window with documents: dropped files and the captions of the recent and favourite items (the
// command line, Execute, favourites and the question before a changed document goes are driven end to end).
#include <gtest/gtest.h>

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "UiTestSupport.h"

namespace {

// Qt delivers a drop to the widget that accepted the drag's entry.
void Drop(QWidget& window, const std::string& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
  QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drop);
}

TEST(Documents, ADroppedTextFileOpensAndABinaryOneIsRefused) {
  TempFolder dir;
  WriteBytes(dir / "tool.bin", std::string("ELF\x01\x02\x03", 6));
  WriteBytes(dir / "notes.txt", "one\r\ntwo");
  TestWindow w(2);
  w.Show();
  Drop(*w.main, dir / "tool.bin");
  EXPECT_EQ(w.Editor().DocumentFileName(), "");
  Drop(*w.main, dir / "notes.txt");
  EXPECT_EQ(w.Editor().DocumentFileName(), dir / "notes.txt");
  EXPECT_EQ(w.Editor().Text(), "one\r\ntwo");
}

// Opening favourites from their menu and organising them are driven end to end (test_main_window.py).
TEST(Documents, MenuItemsShowTheFileNameWithItsAmpersand) {
  TempFolder dir;
  const std::string a = dir / "a&b.txt";
  WriteBytes(a, "first");
  TestWindow w(2, {a});
  w.Show();
  w.Item(QStringLiteral("Dodajdoulubionych1"))->trigger();
  EXPECT_EQ(w.Item(QStringLiteral("Favourite1"))->text(), QString::fromStdString(a).replace('&', QStringLiteral("&&")));
  EXPECT_EQ(w.Item(QStringLiteral("OpenedDocument1"))->data().toString().toStdString(), a);
}

}  // namespace
