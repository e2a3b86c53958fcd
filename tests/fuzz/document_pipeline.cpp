// The document pipeline: any bytes, opened with any options, saved and opened again. The second open
// must show the text the first one showed, and the second save must write the bytes the first one wrote:
// a letter that turns into another, or text that is lost, between two opens of the same file is a fault.
//
// Input: three option bytes (RecognizeCharSet and AlwaysUNIX, a forced code page, a code-page command),
// one byte choosing the file's extension, then the file's bytes.
#include <filesystem>
#include <memory>

#include "FuzzInput.h"
#include "app/DocumentText.h"
#include "app/TDocumentCommands.h"
#include "app/TQuillEditorDocument.h"
#include "core/DocumentFakes.h"
#include "editor/TQuillEditor.h"
#include "fakes/FakeEditorHost.h"
#include "fakes/MemorySettingsBackend.h"

namespace {

const char* const kCodePages[] = {"iso-8859-2", "windows-1250", "utf-8", "cp852", "mazovia", "amigapl", "latin1"};
const char* const kExtensions[] = {".html", ".htm", ".txt", ".php", ".pl", ".css", ".c", ".pas", ".xml", ""};
constexpr TDocumentCommands::CodePageCommand kCommands[] = {
    TDocumentCommands::CodePageCommand::Iso88592, TDocumentCommands::CodePageCommand::Windows1250,
    TDocumentCommands::CodePageCommand::Utf8,     TDocumentCommands::CodePageCommand::Cp852,
    TDocumentCommands::CodePageCommand::Mazovia,  TDocumentCommands::CodePageCommand::AmigaPL};

// The generator tag is written in capitals when it is new and in lower case when it replaces one, so
// its spelling alone may differ between the first open and the next: every copy of it is respelled.
std::string Respelled(std::string text) {
  const std::string content = " content=\"" + std::string(GeneratorString) + "\">";
  const std::string upper = "<meta HTTP-EQUIV=\"Generator\"" + content;
  const std::string lower = "<meta http-equiv=\"Generator\"" + content;
  for (std::size_t at = text.find(upper); at != std::string::npos; at = text.find(upper, at + lower.size()))
    text.replace(at, upper.size(), lower);
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const std::uint8_t options = in.Byte();
  const int forced = in.Below(9);  // 7 and 8: none
  const int command = in.Below(8);  // 6 and 7: none
  const std::string name = ScratchFolder() + "/doc" + kExtensions[in.Below(10)];
  const std::string file = in.Rest();

  auto backend = std::make_shared<MemorySettingsBackend>();
  SettingsStore settings(backend);
  settings.WriteBool("Editor", "RecognizeCharSet", (options & 1) != 0);
  settings.WriteBool("Editor", "AlwaysUNIX", (options & 2) != 0);
  FakeEditorHost host;
  TQuillEditor quill(&host);
  quill.HandleCreated();
  TQuillEditorDocument editor(quill);
  ScriptedDialogs dialogs;
  dialogs.answers.assign(8, Dialogs::Answer::Yes);  // a binary file is opened anyway
  doc_test::RecordingWindow window;
  TDocumentCommands docs(editor, dialogs, settings, window);

  WriteBytes(name, file);
  // Both opens read the file the same way: in the forced code page, or as it comes.
  std::optional<std::string> page;
  if (forced < 7) page = kCodePages[forced];
  const auto open = [&] {
    if (page)
      docs.OpenDocumentAs(name, *page);
    else
      docs.OpenDocument(name);
  };
  open();
  FUZZ_CHECK(quill.DocumentFileName() == name, "the file was not opened");
  // After a code-page command the file tells its code page again only through the meta tag the command
  // wrote (the bytes alone may not tell it); without one there is nothing to compare.
  bool compare = true;
  if (command < 6) {
    docs.ChooseCodePage(kCommands[command]);
    compare = command < 3 && IsHtmlText(quill.Text());
  }
  const std::string shown = Respelled(quill.Text());
  editor.SetModified(true);
  FUZZ_CHECK(docs.SaveDocument(), "the first save failed");
  const std::string saved = Respelled(ReadBytes(name));

  open();
  if (!compare) return 0;
  FUZZ_CHECK(Respelled(quill.Text()) == shown,
             "the second open shows other text:\n" + Escaped(shown) + "\n" + Escaped(Respelled(quill.Text())));
  editor.SetModified(true);
  FUZZ_CHECK(docs.SaveDocument(), "the second save failed");
  const std::string again = Respelled(ReadBytes(name));
  FUZZ_CHECK(again == saved, "the second save wrote other bytes:\n" + Escaped(saved) + "\n" + Escaped(again));
  return 0;
}
