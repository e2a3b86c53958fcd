// The print options dialog, the preview, and real output: pages printed into a PDF file and read back
// with pdftotext.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include "UiTestSupport.h"
#include "print/PrintSettings.h"
#include "ui/TPPPrnPrgDlg.h"
#include "ui/TPrintPreview.h"

namespace {

// 150 numbered lines with Polish letters, Windows-1250.
std::string Document() {
  std::string text;
  for (int i = 1; i <= 150; ++i) text += "Wiersz " + std::to_string(i) + " \xBF\xF3\xB3w\r\n";
  return text;
}

void Trigger(QWidget& window, const char* name) {
  QAction* action = window.findChild<QAction*>(QString::fromLatin1(name));
  ASSERT_NE(action, nullptr) << name;
  action->trigger();
}

}  // namespace

TEST(PrintPreview, PagesZoomGoToAndOptions) {
  TestSettings settings;
  ScriptedDialogs dialogs;
  TPrintPreview preview("/tmp/a.txt", [] { return Document(); }, dialogs);
  preview.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
  EXPECT_TRUE(preview.windowState() & Qt::WindowMaximized);
  TPagePrinter& pages = preview.PagePrinter1();
  const int count = pages.PageCount();
  ASSERT_GE(count, 3);
  const QString panel = QStringLiteral("%1/") + QString::number(count);
  EXPECT_EQ(preview.PagePanel()->text(), panel.arg(1));
  EXPECT_EQ(pages.ZoomPercent(), 60u);
  preview.Zoom()->setCurrentText(QStringLiteral("150%"));
  EXPECT_EQ(pages.ZoomPercent(), 150u);

  // Next, Previous and a good page number are driven end to end (PreviewPaging). The prompt's bad
  // answers: out of range changes nothing, a word means page 1.
  Trigger(preview, "Nastepna");
  dialogs.prompts = {"0", std::to_string(count + 1), "word"};
  preview.PagePanel()->click();
  EXPECT_EQ(dialogs.asked.at(0), "Goto page: Max. = " + std::to_string(count));
  preview.PagePanel()->click();
  EXPECT_EQ(pages.PageNumber(), 2);
  preview.PagePanel()->click();
  EXPECT_EQ(preview.PagePanel()->text(), panel.arg(1));

  // Wider margins confirmed in the options rebuild the pages at once, keeping the zoom.
  ModalWatcher watcher([](QWidget* dialog) {
    dialog->findChild<QLineEdit*>(QStringLiteral("Topmargin"))->setText(QStringLiteral("90"));
    dialog->findChild<QPushButton*>(QStringLiteral("OK"))->click();
  });
  Trigger(preview, "Opcje");
  EXPECT_TRUE(watcher.Fired());
  EXPECT_GT(pages.PageCount(), count);
  EXPECT_EQ(preview.PagePanel()->text(), QStringLiteral("1/%1").arg(pages.PageCount()));
  EXPECT_EQ(pages.ZoomPercent(), 150u);
}

TEST(PrintPreview, ABadMarginIsReportedAndCancelKeepsThePages) {
  TestSettings settings;
  OpenSettings(kPrinterKey).WriteString("Print", "RightMargin", "2 cm");
  ScriptedDialogs dialogs;
  TPrintPreview bad("/tmp/a.txt", [] { return Document(); }, dialogs);
  bad.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&bad));
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_NE(dialogs.asked[0].find("right margin \"2 cm\""), std::string::npos) << dialogs.asked[0];
  EXPECT_EQ(bad.PagePrinter1().PageCount(), 0);
  bad.close();

  OpenSettings(kPrinterKey).WriteString("Print", "RightMargin", "25");
  const QTemporaryDir dir;
  TPrintPreview preview("/tmp/a.txt", [] { return Document(); }, dialogs);
  preview.Device().SetPdfOutput(dir.filePath(QStringLiteral("c.pdf")));
  preview.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
  const int count = preview.PagePrinter1().PageCount();
  preview.PagePrinter1().ProgressFactory = [] {
    auto progress = std::make_unique<TPPPrnPrgDlg>();
    progress->CancelButton()->click();
    return progress;
  };
  preview.AskPrint = [](Dialogs::PrintRequest&) { return true; };
  Trigger(preview, "Drukuj");
  EXPECT_EQ(dialogs.asked.back(), "Printing Cancelled");
  EXPECT_EQ(preview.PagePrinter1().PageCount(), count);
  EXPECT_TRUE(preview.isVisible());
}
