// The main window with documents: dropped files and the captions of the recent and favourite items (the
// command line, Execute, favourites and the question before a changed document goes are driven end to end).
#include <gtest/gtest.h>

#include <QDropEvent>
#include <QMimeData>
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

// Opening favourites from their menu and organising them are driven end to end (test_main_window.py).
TEST(Documents, MenuItemsShowTheFileNameWithItsAmpersand) {
  QTemporaryDir dir;
  const QString a = WriteFile(dir, QStringLiteral("a&b.txt"), "first");
  Window w({a.toStdString()});
  w.Item(QStringLiteral("Dodajdoulubionych1"))->trigger();
  EXPECT_EQ(w.Item(QStringLiteral("Favourite1"))->text(), QString(a).replace('&', QStringLiteral("&&")));
  EXPECT_EQ(w.Item(QStringLiteral("OpenedDocument1"))->data().toString(), a);
}
