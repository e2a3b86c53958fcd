#pragma once
#include <signal.h>
#include <sys/resource.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/DocumentEditor.h"
#include "app/DocumentWindow.h"
#include "fakes/ScriptedDialogs.h"
#include "fakes/TestFiles.h"

namespace doc_test {

// The editor as the document commands see it: a plain string with a selection. Like the real editor it
// stores every bare CR or LF as a CR LF line break.
class ModelEditor : public DocumentEditor {
public:
  std::string Text() const override { return text_; }
  void SetText(std::string_view text) override {
    text_.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
      text_ += (text[i] == '\r' || text[i] == '\n') ? std::string("\r\n") : std::string(1, text[i]);
    }
    selStart_ = 0;
    selLength_ = 0;
    ++undoSteps_;
    modified_ = true;
  }
  int SelStart() const override { return selStart_; }
  void SetSelStart(int offset) override {
    selStart_ = offset;
    selLength_ = 0;
  }
  int SelLength() const override { return selLength_; }
  void Select(int start, int length) {
    selStart_ = start;
    selLength_ = length;
  }
  std::string SelText() const override { return text_.substr(selStart_, selLength_); }
  void SetSelText(std::string_view text) override {
    text_.replace(selStart_, selLength_, text);
    selLength_ = 0;
    modified_ = true;
  }
  bool Modified() const override { return modified_; }
  void SetModified(bool modified) override { modified_ = modified; }
  void ClearUndo() override { undoSteps_ = 0; }
  void ClearBookmarks() override {}
  int UndoSteps() const { return undoSteps_; }
  TColorStyle ColorStyle() const override { return style_; }
  void SetColorStyle(TColorStyle style) override {
    style_ = style;
    plain_ = false;
  }
  bool PlainText() const override { return plain_; }
  void SetPlainText(bool plain) override { plain_ = plain; }
  const std::string& DocumentFileName() const override { return name_; }
  void SetDocumentFileName(const std::string& name) override { name_ = name; }

private:
  std::string text_, name_;
  int selStart_ = 0, selLength_ = 0, undoSteps_ = 0;
  bool modified_ = false, plain_ = false;
  TColorStyle style_{csHTML};
};

// The shared scripted dialogs, also keeping the file requests they were given.
class DocumentDialogs : public ScriptedDialogs {
public:
  std::vector<FileRequest> requests;
  bool OpenFile(FileRequest& request) override {
    requests.push_back(request);
    return ScriptedDialogs::OpenFile(request);
  }
  bool SaveFile(FileRequest& request) override {
    requests.push_back(request);
    return ScriptedDialogs::SaveFile(request);
  }
  // Scripts the next file dialog: the chosen name (nothing = cancelled) and filter.
  void Choose(std::optional<std::string> name, int filterIndex = 1) {
    files.push_back(std::move(name));
    filterIndexes.push_back(filterIndex);
  }
};

class RecordingWindow : public DocumentWindow {
public:
  std::string caption;
  std::array<std::string, 4> recent;
  std::vector<FavouriteItem> favourites;
  int favouriteRebuilds = 0;

  void UpdateTitle(const std::string& fileName, const std::string& codePage) override {
    caption = fileName + " (" + codePage + ")";
  }
  void ShowAppCaption() override { caption = "app"; }
  void ShowRecentDocuments(const std::array<std::string, 4>& fileNames) override { recent = fileNames; }
  void ShowFavourites(const std::vector<FavouriteItem>& items) override {
    favourites = items;
    ++favouriteRebuilds;
  }
};

// Makes writes beyond `bytes` fail (as on a full disk) for the life of the object. Works for root too,
// where permission bits do not stop a write.
class FileSizeLimit {
public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    ::signal(SIGXFSZ, oldHandler_);
  }

private:
  rlimit old_{};
  sighandler_t oldHandler_{};
};

}  // namespace doc_test
