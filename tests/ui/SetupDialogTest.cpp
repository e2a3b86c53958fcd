// The settings dialog offscreen, driven through its controls, and the settings command of the window.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include "UiTestSupport.h"
#include "ui/ColorGrid.h"
#include "ui/QuillEditorWidget.h"
#include "ui/TSetup.h"

namespace {

// The dialog on its own settings, shown without a modal loop; XDG folders point into the test's folder.
struct SetupFixture {
  TestSettings settings;
  ScriptedDialogs dialogs;
  QTemporaryDir xdg;
  ScopedEnv config{"XDG_CONFIG_HOME", (xdg.path() + "/config").toLocal8Bit().constData()};
  ScopedEnv data{"XDG_DATA_HOME", (xdg.path() + "/data").toLocal8Bit().constData()};
  std::unique_ptr<TSetup> dialog;

  SettingsStore& Store() { return settings.Store(); }
  void Open() {
    dialog = std::make_unique<TSetup>(Store(), dialogs);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
  }
  template <class T>
  T* Get(const char* name) const {
    T* w = dialog->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  void Ok() { Get<QPushButton>("OK")->click(); }
  TQuillEditor::Colors& PreviewColors() { return dialog->Preview()->Editor().ColorSet(); }
  void ChooseScheme(int scheme) {
    auto* box = Get<QComboBox>("Defaults");
    // Chosen with the keyboard as a user would; the list starts with nothing chosen.
    for (int i = box->currentIndex(); i < scheme; ++i) QTest::keyClick(box, Qt::Key_Down);
    ASSERT_EQ(box->currentIndex(), scheme);
  }
  void ClickColor(int index, Qt::MouseButton button) {
    auto* grid = Get<ColorGrid>("Colors");
    QTest::mouseClick(grid, button, Qt::NoModifier, grid->CellRect(index).center());
  }
};

}  // namespace

// Which stored values OK writes back, and how bad ones are made sensible, is the core's (SetupValues); that
// the controls show the stored values and OK stores them is driven end to end (test_setup.py). Here the
// preview: the sample page, read-only, in the stored colours, the grid on the window colours.
TEST(SetupDialog, ThePreviewShowsTheSamplePageInTheStoredColours) {
  SetupFixture f;
  f.Store().WriteInteger("Editor", "TagForeground", 0x00FF00);
  f.Open();
  TQuillEditor& preview = f.dialog->Preview()->Editor();
  EXPECT_EQ(preview.Text(), TSetup::kSampleText);
  EXPECT_TRUE(preview.Readonly());
  f.Get<QTabWidget>("Pages")->setCurrentIndex(1);
  EXPECT_EQ(preview.TopLine(), 0);
  EXPECT_EQ(preview.ColorSet().TagColor, 0x00FF00u);
  EXPECT_EQ(f.Get<ColorGrid>("Colors")->ForegroundIndex(), BasicColorIndex(0xFFFFFF));
}

TEST(SetupDialog, GridEditsTheSelectedPairAndConstantBackgroundFollowsTheWindow) {
  SetupFixture f;
  f.Store().WriteInteger("Editor", "TagBackground", 0x00FFFF);
  f.Store().WriteInteger("Editor", "CommentBackground", 0xC0C0C0);
  f.Open();
  TQuillEditor::Colors& c = f.PreviewColors();
  auto* items = f.Get<QListWidget>("ColorItem");
  // Moving through the list only moves the grid's marks, whatever pair was shown before.
  TQuillEditor::Colors before = c;
  for (int row = 0; row < kColorItemCount; ++row) items->setCurrentRow(row);
  for (int item = 0; item < kColorItemCount; ++item)
    EXPECT_TRUE(ItemForeground(c, item) == ItemForeground(before, item) &&
                ItemBackground(c, item) == ItemBackground(before, item)) << item;

  // Tags: left picks the foreground, right the background; with a constant background still only tags.
  f.Get<QCheckBox>("ConstBackground")->click();
  items->setCurrentRow(2);
  f.ClickColor(BasicColorIndex(0x0000FF), Qt::LeftButton);
  f.ClickColor(BasicColorIndex(0x00FFFF), Qt::RightButton);
  EXPECT_EQ(c.TagColor, 0x0000FFu);
  EXPECT_EQ(c.BackgroundTagColor, 0x00FFFFu);
  for (int item : {1, 3, 4, 5, 6, 7, 8, 9}) EXPECT_EQ(ItemBackground(c, item), 0xFFFFFFu) << item;

  // The window colour takes every background along while the box is checked...
  items->setCurrentRow(0);
  f.ClickColor(BasicColorIndex(0x808000), Qt::LeftButton);
  EXPECT_EQ(c.Color, 0x808000u);
  for (int item = 1; item < kColorItemCount; ++item) EXPECT_EQ(ItemBackground(c, item), 0x808000u) << item;
  // ...and not once it is unchecked; checking it again brings them back to the window colour.
  f.Get<QCheckBox>("ConstBackground")->click();
  f.ClickColor(BasicColorIndex(0x000000), Qt::LeftButton);
  EXPECT_EQ(c.Color, 0u);
  EXPECT_EQ(c.BackgroundTextColor, 0x808000u);
  f.Get<QCheckBox>("ConstBackground")->click();
  for (int item = 1; item < kColorItemCount; ++item) EXPECT_EQ(ItemBackground(c, item), 0u) << item;

  // The PHP parameter background is what is stored for both PHP classes.
  items->setCurrentRow(9);
  f.Get<QCheckBox>("ConstBackground")->click();
  f.ClickColor(BasicColorIndex(0xC0C0C0), Qt::RightButton);
  items->setCurrentRow(8);
  f.ClickColor(BasicColorIndex(0xFFFFFF), Qt::RightButton);
  f.Ok();
  EXPECT_EQ(f.Store().ReadInteger("Editor", "PHPVariableBackground", -1), 0xC0C0C0);
  EXPECT_EQ(f.Store().ReadInteger("Editor", "OperatorBackGround", -1), 0);
}

TEST(SetupDialog, ChangingThePageAppliesFontAndLineNumbersToThePreview) {
  SetupFixture f;
  f.Open();
  TQuillEditor& preview = f.dialog->Preview()->Editor();
  auto* pages = f.Get<QTabWidget>("Pages");
  f.Get<QComboBox>("FontSize")->setEditText(QStringLiteral("20"));
  f.Get<QCheckBox>("LNumber")->click();
  EXPECT_EQ(preview.Font().Size, 12);  // not before the page changes
  pages->setCurrentIndex(1);
  EXPECT_EQ(preview.Font().Size, 20);
  EXPECT_EQ(QString::fromStdString(preview.Font().Name), f.Get<QFontComboBox>("FontName")->currentText());
  EXPECT_FALSE(preview.LineNumbering());
  f.Get<QComboBox>("FontSize")->setEditText(QStringLiteral("x"));
  pages->setCurrentIndex(2);
  EXPECT_EQ(preview.Font().Size, 20);
}
