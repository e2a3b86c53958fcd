#pragma once
#include <signal.h>
#include <sys/resource.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "EditorTestSupport.h"
#include "app/DocumentEditor.h"
#include "app/DocumentWindow.h"
#include "app/TDocumentCommands.h"
#include "app/TQuillEditorDocument.h"
#include "fakes/MemorySettingsBackend.h"
#include "fakes/ScriptedDialogs.h"
#include "fakes/TestFiles.h"

namespace doc_test {

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

// The document commands on the real editor, in memory settings, with a folder for the files.
struct DocumentFixture {
  std::shared_ptr<MemorySettingsBackend> backend = std::make_shared<MemorySettingsBackend>();
  SettingsStore settings{backend};
  EditorFixture e;
  TQuillEditorDocument editor{*e};
  ScriptedDialogs dialogs;
  RecordingWindow window;
  TDocumentCommands docs{editor, dialogs, settings, window};
  TempFolder dir;
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
