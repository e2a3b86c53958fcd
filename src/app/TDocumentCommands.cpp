#include "app/TDocumentCommands.h"

#include <filesystem>

#include "app/CodePages.h"
#include "app/DocumentText.h"
#include "app/Favourites.h"
#include "app/FileMessages.h"
#include "app/LangTable.h"
#include "app/MainWindowLogic.h"
#include "app/MetaTags.h"
#include "app/RecentDocuments.h"
#include "app/TextFiles.h"
#include "app/Win1250Case.h"
#include "editor/ForeignMarks.h"

namespace {

constexpr const char* kEditor = "Editor";
constexpr const char* kReadError = "Can not open this file. (I/O error) ";
constexpr const char* kWriteError = "Can not save this file (I/O error)!";

// Replaces the first "%s" or "%d" of a language text.
std::string Fill(std::string text, std::string_view placeholder, const std::string& value) {
  const std::size_t at = text.find(placeholder);
  if (at != std::string::npos) text.replace(at, placeholder.size(), value);
  return text;
}

bool FileExists(const std::string& name) {
  std::error_code ec;
  return std::filesystem::exists(name, ec);
}

}  // namespace

TDocumentCommands::TDocumentCommands(DocumentEditor& editor, Dialogs& dialogs, SettingsStore& settings,
                                     DocumentWindow& window)
    : editor_(editor), dialogs_(dialogs), settings_(settings), window_(window) {
  UpdateKeepForeign();
}

std::string TDocumentCommands::DefaultCodePage() const {
  return settings_.ReadString(kEditor, "Default Code Page", "Windows-1250");
}

void TDocumentCommands::UpdateKeepForeign() {
  editor_.SetKeepForeign(IsUtf8Name(documentCodePage_.empty() ? DefaultCodePage() : documentCodePage_));
}

std::string TDocumentCommands::Text(int id) const { return LangText(id, InterfaceLanguage()); }

bool TDocumentCommands::QuerySaveDocument() {
  if (!editor_.Modified()) return true;
  switch (dialogs_.AskYesNoCancel(Text(72))) {
    case Dialogs::Answer::No:
      return true;
    case Dialogs::Answer::Cancel:
      return false;
    case Dialogs::Answer::Yes:
      break;
  }
  if (!SaveDocument()) SaveDocumentAs();
  return !editor_.Modified();
}

bool TDocumentCommands::NewDocument() {
  if (!QuerySaveDocument()) return false;
  editor_.SetDocumentFileName("");
  editor_.SetText("");
  editor_.ClearBookmarks();
  editor_.SetModified(false);
  UpdateKeepForeign();
  window_.ShowAppCaption();
  return true;
}

void TDocumentCommands::OpenCommand() {
  if (!QuerySaveDocument()) return;
  Dialogs::FileRequest request;
  request.title = Text(66);
  request.filter = Text(65);
  request.filterIndex = openFilterIndex_;
  request.initialDir = openDialogFolder_;
  if (!dialogs_.OpenFile(request)) return;
  openFilterIndex_ = request.filterIndex;
  // The question has been asked: answering "No" must not bring it back for the same open.
  if (request.filterIndex == 3)
    LoadDocument(request.fileName, "iso-8859-2");
  else if (request.filterIndex == 4)
    LoadDocument(request.fileName, "windows-1250");
  else
    LoadDocument(request.fileName, std::nullopt);
}

void TDocumentCommands::OpenDocument(const std::string& name) {
  if (QuerySaveDocument()) LoadDocument(name, std::nullopt);
}

void TDocumentCommands::OpenDocumentAs(const std::string& name, const std::string& codePage) {
  if (QuerySaveDocument()) LoadDocument(name, codePage);
}

std::optional<std::string> TDocumentCommands::ReadTextFile(const std::string& name) {
  TFileRead read = ReadFileBytes(name);
  switch (read.status) {
    case TFileRead::Status::Missing:
      return std::string();
    case TFileRead::Status::Error:
      dialogs_.Message(kReadError);
      return std::nullopt;
    case TFileRead::Status::NotRegular:
      dialogs_.Message(NotRegularFileMessage(InterfaceLanguage()));
      return std::nullopt;
    case TFileRead::Status::TooLarge:
      dialogs_.Message(FileTooLargeMessage(InterfaceLanguage()));
      return std::nullopt;
    case TFileRead::Status::Ok:
      break;
  }
  NormalizeLineEndsInPlace(read.bytes);
  return std::move(read.bytes);
}

void TDocumentCommands::LoadDocument(const std::string& name, const std::optional<std::string>& forcedCodePage) {
  // Saving a binary file from the editor would change it, so the user is asked first.
  std::error_code ec;
  if (std::filesystem::is_regular_file(name, ec) && !PassesTextFileTest(name) &&
      !dialogs_.AskYesNo(NotTextFileQuestion(name, InterfaceLanguage())))
    return;
  // A file that cannot be read must not replace the document: saving that empty document would then
  // write over the real file.
  std::optional<std::string> bytes = ReadTextFile(name);
  if (!bytes) return;
  const bool forced = forcedCodePage.has_value();
  const bool recognize = !forced && settings_.ReadBool(kEditor, "RecognizeCharSet", false);
  // Each step works on the file's own bytes, so a large file is held once, not once per step.
  TDecodedDocument doc = DecodeOwnedDocument(std::move(*bytes), recognize, forcedCodePage);
  std::string text = std::move(doc.text);
  std::u32string marks = std::move(doc.marks);
  // The generator tag may replace an old one that held marks: the marks after it stay in step.
  const auto tag = [&doc](std::string s) {
    return doc.metaTags ? SetMetaTag(std::move(s), "http-equiv", "Generator", GeneratorString)
                        : AddFirstMetaTag(std::move(s), "http-equiv", "Generator", GeneratorString);
  };
  const auto setGenerator = [&] {
    if (marks.empty()) {
      // Every reserved byte stands for itself before and after (as it does with no list at all): the tag
      // is set in place.
      text = tag(std::move(text));
      return;
    }
    std::string tagged = tag(text);
    marks = InheritMarks(text, marks, tagged);
    text = std::move(tagged);
  };

  const bool html = IsHtmlText(text);
  if (!forced && html) setGenerator();
  editor_.SetPlainText(!html);
  const std::optional<TColorStyle> style = ColorStyleForFile(name);
  if (style) editor_.SetColorStyle(*style);
  if (forced && style == TColorStyle{csHTML}) setGenerator();

  documentCodePage_ = doc.codePage;
  UpdateKeepForeign();
  // Opened with a chosen code page, the document replaces the old one as one undo step; otherwise the
  // history starts empty, and the text is handed over rather than copied.
  if (forced)
    editor_.SetMarkedText(text, marks);
  else
    editor_.LoadMarkedText(std::move(text), std::move(marks));
  editor_.ClearBookmarks();
  editor_.SetDocumentFileName(name);
  AddOpenedDocument(name);
  editor_.SetSelStart(0);
  editor_.SetModified(false);
  if (!forced) editor_.ClearUndo();
  window_.UpdateTitle(name, documentCodePage_);
}

std::string TDocumentCommands::TextForSaving() const {
  const std::string text = editor_.Text();
  return EncodeDocument(text, SaveCodePage(text, documentCodePage_, DefaultCodePage()), editor_.Marks());
}

std::optional<std::string> TDocumentCommands::BackupPathFor(const std::string& name) const {
  if (!settings_.ReadBool(kEditor, "Create Backup", false)) return std::nullopt;
  return WithoutExtension(name) + ".bak";
}

bool TDocumentCommands::WriteTextFile(const std::string& name, const std::string& bytes,
                                      const std::optional<std::string>& backupPath) {
  EnsureFolderExists(name);
  TWriteOptions options;
  options.backupPath = backupPath;
  if (WriteFileAtomically(name, bytes, options)) return true;
  dialogs_.Message(kWriteError);
  return false;
}

bool TDocumentCommands::SaveDocument() {
  const std::string name = editor_.DocumentFileName();
  if (name.empty()) return false;
  std::string bytes = TextForSaving();
  // Perl scripts are always saved with UNIX line ends.
  if (Win1250Lower(FileExtension(name)) == ".pl") bytes = RemoveCarriageReturns(bytes);
  if (settings_.ReadBool(kEditor, "OptimizeWithSave", false)) bytes = OptimizeText(bytes);
  if (settings_.ReadBool(kEditor, "AlwaysUNIX", false)) bytes = RemoveCarriageReturns(bytes);
  if (!WriteTextFile(name, bytes, BackupPathFor(name))) return false;
  editor_.SetModified(false);
  return true;
}

void TDocumentCommands::SaveDocumentAs() { SaveAs(false); }

void TDocumentCommands::SaveDocumentAsUnix() { SaveAs(true); }

void TDocumentCommands::SaveAs(bool unixLineEnds) {
  Dialogs::FileRequest request;
  request.title = Text(68);
  request.filter = Text(67);
  request.filterIndex = saveFilterIndex_;
  request.fileName = editor_.DocumentFileName();
  request.initialDir = editor_.DocumentFileName().empty() ? openDialogFolder_ : FolderOf(editor_.DocumentFileName());
  if (!dialogs_.SaveFile(request)) return;
  saveFilterIndex_ = request.filterIndex;

  std::string bytes = TextForSaving();
  if (unixLineEnds) bytes = RemoveCarriageReturns(bytes);
  std::string name = request.fileName;
  if (FileExtension(name).empty()) {
    if (request.filterIndex == 1) name += ".html";
    if (request.filterIndex == 2) name += ".txt";
  }
  if (FileExists(name) && !dialogs_.AskYesNo(Fill(Text(70), "%s", name))) return;
  if (settings_.ReadBool(kEditor, "OptimizeWithSave", false)) bytes = OptimizeText(bytes);
  if (!unixLineEnds && settings_.ReadBool(kEditor, "AlwaysUNIX", false)) bytes = RemoveCarriageReturns(bytes);
  if (!WriteTextFile(name, bytes, BackupPathFor(name))) return;
  AddOpenedDocument(name);
  editor_.SetModified(false);
  editor_.SetDocumentFileName(name);
  window_.UpdateTitle(name, documentCodePage_);
}

void TDocumentCommands::OptimizeDocument() {
  const std::string before = editor_.Text();
  const std::string after = RemoveTrailingBlanks(before);
  editor_.SetSelStart(0);
  editor_.SetText(after);
  editor_.SetSelStart(0);
  dialogs_.Message(Fill(Fill(Text(79), "%d", std::to_string(before.size())), "%d", std::to_string(after.size())));
}

void TDocumentCommands::ChooseCodePage(CodePageCommand command) {
  struct Choice {
    const char* codePage;
    const char* metaContent;  // nothing for the code pages HTML does not name
  };
  static constexpr Choice kChoices[] = {
      {"iso-8859-2", "text/html;CHARSET=ISO-8859-2"}, {"windows-1250", "text/html;CHARSET=Windows-1250"},
      {"utf-8", "text/html;CHARSET=utf-8"},           {"CP852", nullptr},
      {"Mazovia", nullptr},                           {"AmigaPL", nullptr},
  };
  const Choice& choice = kChoices[static_cast<int>(command)];
  documentCodePage_ = choice.codePage;
  UpdateKeepForeign();
  // A UTF-8 document's foreign characters would become "?" only in the saved file; the user sees it now.
  editor_.ReplaceForeignCharacters();
  if (choice.metaContent) {
    const std::string text = editor_.Text();
    if (IsHtmlText(text)) {
      editor_.SetText(SetMetaTag(text, "http-equiv", "Content-Type", choice.metaContent));
      editor_.SetSelStart(0);
    }
  }
  window_.UpdateTitle(editor_.DocumentFileName(), documentCodePage_);
}

void TDocumentCommands::RemoveNationalCharactersFromSelection() {
  if (editor_.SelLength() == 0) return;
  editor_.SetSelText(RemoveNationalCharacters(editor_.SelText()));
}

void TDocumentCommands::AddOpenedDocument(const std::string& name) {
  try {
    if (TRecentDocuments(settings_).Add(name)) RefreshOpenedDocuments();
  } catch (const SettingsError& e) {
    dialogs_.Message(e.what());
  }
}

void TDocumentCommands::RefreshOpenedDocuments() { window_.ShowRecentDocuments(TRecentDocuments(settings_).Read()); }

void TDocumentCommands::AddFavourite(const std::optional<std::string>& name) {
  TFavourites favourites(settings_);
  if (name) {
    try {
      switch (favourites.Add(*name)) {
        case TFavourites::AddResult::AlreadyThere:
          return;
        case TFavourites::AddResult::Full:
          dialogs_.Message(Text(78));
          return;
        case TFavourites::AddResult::Added:
          break;
      }
    } catch (const SettingsError& e) {
      dialogs_.Message(e.what());
      return;
    }
  }
  window_.ShowFavourites(favourites.MenuItems());
}

void TDocumentCommands::AddToFavourites() {
  const std::string name = editor_.DocumentFileName();
  std::error_code ec;
  if (!name.empty() && std::filesystem::is_regular_file(name, ec)) AddFavourite(name);
}
