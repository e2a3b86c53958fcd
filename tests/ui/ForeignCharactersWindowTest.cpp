// Characters outside Windows-1250 typed into the main window's editor: kept in a UTF-8 document, "?"
// with a note in the status bar in a document of an 8-bit code page.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "app/TDocumentCommands.h"
#include "ui/QuillEditorWidget.h"

TEST(ForeignCharacters, QuestionMarkAndNoteInAnEightBitDocumentAndMarksInUtf8) {
  TestWindow w(2);
  w.Show();
  QuillEditorWidget& editor = *w.main->EditorWidget();
  SendKey(editor, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("\u044F"));  // a new document saves in the default Windows-1250
  EXPECT_EQ(w.Editor().Text(), "?");
  EXPECT_EQ(w.Panel(0), QStringLiteral("Characters outside the document's code page were replaced by \"?\""));
  w.main->Documents()->ChooseCodePage(TDocumentCommands::CodePageCommand::Utf8);
  SendKey(editor, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("\U0001F600"));  // a surrogate pair in Qt's text
  EXPECT_EQ(w.Editor().Text(), "?\x83");
  EXPECT_EQ(w.Editor().Marks(), U"\U0001F600");
}
