// The document commands on the real editor control: opening, saving, backups, code pages and the questions
// they ask.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "DocumentFakes.h"
#include "app/MetaTags.h"
#include "app/TextFiles.h"
#include "fakes/ScopedLanguage.h"

namespace fs = std::filesystem;
using namespace doc_test;

namespace {

std::string DataFile(const std::string& page) {
  return ReadBytes(std::string(QUILL_TEST_DATA_DIR) + "/codepages/polish." + page + ".txt");
}

class DocumentCommandsTest : public ::testing::Test, public DocumentFixture {
protected:
  void Set(const char* ident, bool value) { settings.WriteBool("Editor", ident, value); }
  // Opens bytes written to a file of that name and saves them unedited; returns what was written.
  std::string OpenAndSave(const std::string& name, const std::string& bytes) {
    WriteBytes(dir / name, bytes);
    docs.OpenDocument(dir / name);
    EXPECT_FALSE(editor.Modified());
    EXPECT_EQ(e->UndoHistory().Count(), 0);
    editor.SetModified(true);
    EXPECT_TRUE(docs.SaveDocument());
    EXPECT_FALSE(editor.Modified());
    return ReadBytes(dir / name);
  }
};

}  // namespace

// Real Polish text in every code page, with DOS or UNIX line ends, comes back byte for byte.
TEST_F(DocumentCommandsTest, RoundTripsInEveryCodePageAndLineEnd) {
  for (const char* page : {"iso-8859-2", "windows-1250", "cp852", "mazovia", "amigapl", "utf-8"}) {
    for (const bool unix : {false, true}) {
      Set("AlwaysUNIX", unix);
      const std::string lf = DataFile(page);
      const std::string file = unix ? lf : WithCrLf(lf);
      EXPECT_EQ(OpenAndSave("t.txt", file), file) << page << (unix ? " LF" : " CR LF");
      EXPECT_EQ(docs.DocumentCodePage(), page);
      EXPECT_EQ(editor.Text(), WithCrLf(DataFile("windows-1250")));
    }
  }
  // A file with LF line ends saved without "AlwaysUNIX" gets CR LF; "Zapisz w formacie UNIX" gives LF
  // while the editor keeps CR LF.
  Set("AlwaysUNIX", false);
  EXPECT_EQ(OpenAndSave("u.txt", "a\nb\n"), "a\r\nb\r\n");
  dialogs.Choose(dir / "unix.txt", 3);
  docs.SaveDocumentAsUnix();
  EXPECT_EQ(ReadBytes(dir / "unix.txt"), "a\nb\n");
  EXPECT_EQ(editor.Text(), "a\r\nb\r\n");
  // What the editor does to text on its own (TABs become blanks, every line end CR LF) is all that
  // changes in a UTF-8 file with characters outside Windows-1250.
  const std::string first = "<p>\xE2\x80\x9Ez\xC3\xB3\xC5\x82w \xC2\xA9 /\xCA\x8C/ CZ\xC4\x98\xC5\x9A\xC4\x86\xE2\x80\x9D\r\n";
  EXPECT_EQ(OpenAndSave("8.txt", first + "a\nb\rc\t."),
            first + "a\r\nb\r\nc" + std::string(static_cast<std::size_t>(e->TabSize()), ' ') + ".");
  EXPECT_EQ(docs.DocumentCodePage(), "utf-8");
  // Opened as UTF-8 by choice, the characters outside Windows-1250 stay too.
  WriteBytes(dir / "8.txt", first);
  docs.OpenDocumentAs(dir / "8.txt", "utf-8");
  ASSERT_TRUE(docs.SaveDocument());
  EXPECT_EQ(ReadBytes(dir / "8.txt"), first);
}

TEST_F(DocumentCommandsTest, HtmlOpensWithGeneratorTagAndHighlighterFromExtension) {
  WriteBytes(dir / "a.html", "<html><head></head><body>\xB1</body></html>");
  docs.OpenDocument(dir / "a.html");
  EXPECT_NE(editor.Text().find("<meta HTTP-EQUIV=\"Generator\" content=\"Norvale Quillpad"), std::string::npos);
  EXPECT_FALSE(editor.PlainText());
  EXPECT_EQ(editor.ColorStyle(), TColorStyle{csHTML});
  EXPECT_EQ(window.caption, dir / "a.html (iso-8859-2)");
  EXPECT_EQ(e->UndoHistory().Count(), 0);
  // An author's generator tag (a file with meta tags, upper case) is replaced, not joined by a second one.
  WriteBytes(dir / "b.html", "<html><head><META http-equiv=\"generator\" content=\"old\"></head></html>");
  docs.OpenDocument(dir / "b.html");
  EXPECT_EQ(editor.Text().find("old"), std::string::npos);
  const std::size_t tag = editor.Text().find("http-equiv=\"Generator\" content=\"Norvale Quillpad");
  EXPECT_NE(tag, std::string::npos);
  EXPECT_EQ(editor.Text().rfind("Generator"), tag + 12);

  // notes.txt with "<html>" keeps the current style and is not plain; without it, it is plain.
  editor.SetColorStyle(TColorStyle{csPerl});
  WriteBytes(dir / "notes.txt", "<HTML>x");
  docs.OpenDocument(dir / "notes.txt");
  EXPECT_EQ(editor.ColorStyle(), TColorStyle{csPerl});
  EXPECT_FALSE(editor.PlainText());
  WriteBytes(dir / "plain.txt", "x");
  docs.OpenDocument(dir / "plain.txt");
  EXPECT_TRUE(editor.PlainText());

  // Forced code page: the meta tag still wins, and only an HTML extension adds the generator tag.
  WriteBytes(dir / "f.txt", "<html>\xB9");
  docs.OpenDocumentAs(dir / "f.txt", "iso-8859-2");
  EXPECT_EQ(editor.Text(), "<html>\xBC");  // ISO ą B1 is not in the file; B9 (Czech š) moves aside
  EXPECT_EQ(docs.DocumentCodePage(), "iso-8859-2");
}

TEST_F(DocumentCommandsTest, OpenCommandFiltersForceTheCodePage) {
  WriteBytes(dir / "a.txt", "\xB9\xE6");
  for (const auto& [filter, page] : {std::pair{3, "iso-8859-2"}, {4, "windows-1250"}, {7, "windows-1250"}}) {
    dialogs.Choose(dir / "a.txt", filter);
    docs.OpenCommand();
    EXPECT_EQ(docs.DocumentCodePage(), page);
  }
  EXPECT_EQ(dialogs.requests.back().title, "Open");
  // Answering "No" to the question about a changed document asks only once.
  editor.SetModified(true);
  dialogs.answers.push_back(Dialogs::Answer::No);
  dialogs.Choose(dir / "a.txt", 1);
  docs.OpenCommand();
  EXPECT_EQ(std::count(dialogs.asked.begin(), dialogs.asked.end(), "File modified. Save?"), 1);
  EXPECT_FALSE(editor.Modified());
}

// Unreadable files leave the document alone; missing files open empty under their name.
TEST_F(DocumentCommandsTest, UnreadableFileLeavesTheDocument) {
  WriteBytes(dir / "doc.txt", "precious");
  docs.OpenDocument(dir / "doc.txt");
  editor.SetText("precious, edited");
  editor.SetModified(false);
  // Only regular files are read (pipes, devices and files too large for the memory are driven end to end in
  // test_opening.py).
  docs.OpenDocument(dir.Path());
  EXPECT_EQ(dialogs.asked.back(), "Can not open this file: it is not a regular file but a folder, a device or a pipe.");
  ::chmod((dir / "doc.txt").c_str(), 0);
  if (::access((dir / "doc.txt").c_str(), R_OK) != 0) {  // root reads it all the same
    docs.OpenDocument(dir / "doc.txt");
    EXPECT_EQ(dialogs.asked.back(), "Can not open this file. (I/O error) ");
  }
  EXPECT_EQ(editor.Text(), "precious, edited");
  EXPECT_EQ(editor.DocumentFileName(), dir / "doc.txt");

  const std::size_t messages = dialogs.asked.size();
  docs.OpenDocument(dir / "missing.txt");
  EXPECT_EQ(dialogs.asked.size(), messages);
  EXPECT_EQ(editor.Text(), "");
  EXPECT_EQ(editor.DocumentFileName(), dir / "missing.txt");
}

// A file that fails the text-file test is opened only when the user says so, in either language.
TEST_F(DocumentCommandsTest, BinaryFileAsksBeforeOpening) {
  WriteBytes(dir / "prog", std::string("\x7F" "ELF\x02\x01\x01\0\0\0", 10));
  editor.SetText("kept");
  editor.SetModified(false);
  const std::pair<int, const char*> questions[] = {
      {2, "The file \"%s\" does not look like a text file, and saving it from the editor may change it. Open it anyway?"},
      {1, "Plik \"%s\" nie wygląda na plik tekstowy i zapisanie go z edytora może go zmienić. Otworzyć mimo to?"},
  };
  for (const auto& [language, question] : questions) {
    ScopedLanguage scope(language);
    dialogs.answers.push_back(Dialogs::Answer::No);
    docs.OpenDocument(dir / "prog");
    std::string expected = question;
    expected.replace(expected.find("%s"), 2, dir / "prog");
    EXPECT_EQ(dialogs.asked.back(), expected);
    EXPECT_EQ(editor.Text(), "kept");
  }
  dialogs.answers.push_back(Dialogs::Answer::Yes);
  docs.OpenDocument(dir / "prog");
  EXPECT_EQ(editor.DocumentFileName(), dir / "prog");
  EXPECT_EQ(editor.Text().substr(0, 4), "\x7F" "ELF");
  // Text files, and files that do not exist yet, are opened without a question.
  WriteBytes(dir / "t.txt", "text\t\x1B[0m");
  docs.OpenDocument(dir / "t.txt");
  docs.OpenDocument(dir / "new.txt");
  EXPECT_EQ(dialogs.asked.size(), 3u);
}

// That opening and saving a second time changes nothing is the document_pipeline fuzz target's check; its
// seeds and regressions (an unclosed meta tag, a generator tag written by the author) replay in every run.

// The backup holds the contents before the last save (a new file has none); a failed save keeps the old
// file, the backup and the modified state.
TEST_F(DocumentCommandsTest, BackupsAndAFailedSave) {
  Set("Create Backup", true);
  dialogs.Choose(dir / "page.htm", 3);
  editor.SetText("one");
  docs.SaveDocumentAs();
  EXPECT_FALSE(fs::exists(dir / "page.bak"));
  for (const char* text : {"two", "three"}) {
    editor.SetText(text);
    ASSERT_TRUE(docs.SaveDocument());
  }
  EXPECT_EQ(ReadBytes(dir / "page.htm"), "three");
  EXPECT_EQ(ReadBytes(dir / "page.bak"), "two");
  editor.SetText(std::string(5000, 'x'));
  {
    FileSizeLimit limit(1000);
    dialogs.answers.push_back(Dialogs::Answer::Yes);
    dialogs.Choose(std::nullopt);
    EXPECT_FALSE(docs.QuerySaveDocument());  // save fails, save as is cancelled
  }
  EXPECT_EQ(std::vector<std::string>(dialogs.asked.end() - 3, dialogs.asked.end()),
            (std::vector<std::string>{"File modified. Save?", "Can not save this file (I/O error)!", "Save"}));
  EXPECT_TRUE(editor.Modified());
  EXPECT_EQ(ReadBytes(dir / "page.htm"), "three");
  EXPECT_EQ(ReadBytes(dir / "page.bak"), "two");
}

TEST_F(DocumentCommandsTest, SaveRules) {
  // Perl scripts get LF line ends; the extension compares in lower case.
  for (const char* name : {"x.pl", "y.PL"}) {
    dialogs.Choose(dir / name, 3);
    editor.SetText("a\r\nb");
    docs.SaveDocumentAs();
    EXPECT_EQ(ReadBytes(dir / name), "a\r\nb");  // save as keeps CR LF
    docs.SaveDocument();
    EXPECT_EQ(ReadBytes(dir / name), "a\nb") << name;
  }
  // The meta tag's charset decides over the document's code page.
  editor.SetText("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-2\">\xB9");
  docs.ChooseCodePage(TDocumentCommands::CodePageCommand::Mazovia);
  docs.SaveDocument();
  EXPECT_EQ(ReadBytes(dir / "y.PL").back(), '\xB1');
  // No code page at all: the default from the settings.
  settings.WriteString("Editor", "Default Code Page", "CP852");
  TDocumentCommands fresh(editor, dialogs, settings, window);
  editor.SetText("\xB9");
  fresh.SaveDocument();
  EXPECT_EQ(ReadBytes(dir / "y.PL"), "\xA5");
  editor.SetDocumentFileName("");
  EXPECT_FALSE(fresh.SaveDocument());
}

TEST_F(DocumentCommandsTest, SaveAsExtensionsAndOverwriteQuestion) {
  editor.SetText("x");
  for (const auto& [filter, file] : {std::pair{1, "index.html"}, {2, "index.txt"}, {3, "index"}}) {
    dialogs.Choose(dir / "index", filter);
    docs.SaveDocumentAs();
    EXPECT_TRUE(fs::exists(dir / file)) << file;
  }
  EXPECT_EQ(dialogs.asked, std::vector<std::string>(3, "Save"));  // no overwrite question
  EXPECT_EQ(window.recent[0], dir / "index");

  editor.SetText("changed");
  dialogs.Choose(dir / "index.html", 1);
  dialogs.answers.push_back(Dialogs::Answer::No);
  docs.SaveDocumentAs();
  EXPECT_EQ(dialogs.asked.back(), "File \"" + dir / "index.html" + "\" already exists. Overwrite? !!");
  EXPECT_EQ(ReadBytes(dir / "index.html"), "x");
  EXPECT_TRUE(editor.Modified());
  EXPECT_EQ(editor.DocumentFileName(), dir / "index");
  // The save dialog starts in the document's folder.
  EXPECT_EQ(dialogs.requests.back().initialDir, dir.Path() + "/");
}

TEST_F(DocumentCommandsTest, QuerySaveAndNewDocument) {
  EXPECT_TRUE(docs.QuerySaveDocument());  // unchanged: no question
  EXPECT_TRUE(dialogs.asked.empty());
  editor.SetText("x");
  dialogs.answers = {Dialogs::Answer::No, Dialogs::Answer::Cancel, Dialogs::Answer::Yes};
  EXPECT_TRUE(docs.QuerySaveDocument());
  EXPECT_FALSE(docs.QuerySaveDocument());
  dialogs.Choose(dir / "saved.txt", 3);  // no name yet: save as
  EXPECT_TRUE(docs.QuerySaveDocument());
  EXPECT_EQ(ReadBytes(dir / "saved.txt"), "x");
  EXPECT_EQ(dialogs.asked[0], "File modified. Save?");

  // New document: empty, unnamed, unchanged; the code page stays.
  docs.ChooseCodePage(TDocumentCommands::CodePageCommand::Cp852);
  docs.NewDocument();
  EXPECT_EQ(editor.Text(), "");
  EXPECT_EQ(editor.DocumentFileName(), "");
  EXPECT_FALSE(editor.Modified());
  EXPECT_EQ(window.caption, "app");
  EXPECT_EQ(docs.DocumentCodePage(), "CP852");
}

TEST_F(DocumentCommandsTest, OptimizeDocumentReportsSizes) {
  editor.SetText("a  \r\nb ");
  docs.OptimizeDocument();
  EXPECT_EQ(editor.Text(), "a\r\nb");
  EXPECT_EQ(dialogs.asked.back(), "Document size before optimalization 7 bytes, after optimalization 4 bytes.");
  Set("OptimizeWithSave", true);
  dialogs.Choose(dir / "o.txt", 3);
  editor.SetText("x \r\n\r\n");
  docs.SaveDocumentAs();
  EXPECT_EQ(ReadBytes(dir / "o.txt"), "x");
}

TEST_F(DocumentCommandsTest, CodePageCommands) {
  const std::string page = "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\">"
                           "</head>\xB9\xEA\x84</html>";
  WriteBytes(dir / "p.html", page);
  docs.OpenDocument(dir / "p.html");
  docs.ChooseCodePage(TDocumentCommands::CodePageCommand::Utf8);
  EXPECT_EQ(window.caption, dir / "p.html (utf-8)");
  EXPECT_EQ(MetaCharset(editor.Text()), "utf-8");
  docs.SaveDocument();
  const std::string saved = ReadBytes(dir / "p.html");
  EXPECT_NE(saved.find("text/html;CHARSET=utf-8"), std::string::npos);
  EXPECT_NE(saved.find("\xC4\x85\xC4\x99\xE2\x80\x9E</html>"), std::string::npos);
  // CP852 changes only the code page, not the text.
  const std::string before = editor.Text();
  docs.ChooseCodePage(TDocumentCommands::CodePageCommand::Cp852);
  EXPECT_EQ(editor.Text(), before);
  EXPECT_EQ(docs.DocumentCodePage(), "CP852");

  editor.SetText("Za\xBF\xF3\xB3\x9F g\xEA\x9Cl\xB9 ja\x9F\xF1");
  Select(*e, 0, 6);
  docs.RemoveNationalCharactersFromSelection();
  EXPECT_EQ(editor.Text(), "Zazolz g\xEA\x9Cl\xB9 ja\x9F\xF1");
}
// Opening with a chosen code page records the replacement, so Undo brings the old document back (an
// ordinary open leaves nothing to undo: OpenAndSave checks that). A long file, whose lines the editor keeps
// in one shared buffer, is edited and undone like any other.
TEST_F(DocumentCommandsTest, UndoAfterOpening) {
  std::string big;
  for (int i = 0; i < 2000; ++i) big += "line " + std::to_string(i) + (i % 3 ? "\r\n" : "\n");
  WriteBytes(dir / "small.txt", "first");
  WriteBytes(dir / "big.txt", big);
  docs.OpenDocument(dir / "small.txt");
  docs.OpenDocument(dir / "big.txt");
  std::string expected = big;
  NormalizeLineEndsInPlace(expected);
  ASSERT_EQ(e->Text(), expected);
  e->Undo();
  EXPECT_EQ(e->Text(), expected);
  e->SetSelStart(e->PosToOffset(1000, 3));
  e->SetSelText("x\r\ny");
  EXPECT_EQ(e->Lines().Line(1000), "lix");
  EXPECT_EQ(e->Lines().Line(1001), "yne 1000");
  e->Undo();
  EXPECT_EQ(e->Text(), expected);
  e->SetModified(false);
  docs.OpenDocumentAs(dir / "small.txt", "windows-1250");
  EXPECT_EQ(e->Text(), "first");
  e->Undo();
  EXPECT_EQ(e->Text(), expected);
}
