#pragma once
#include <optional>
#include <string>

#include "platform/Color.h"

// The questions and messages the core asks the user. Texts are UTF-8; every box is captioned with the
// application title by the implementation. Tests script the answers.
class Dialogs {
public:
  enum class Answer { Yes, No, Cancel };

  struct FileRequest {
    std::string title;
    std::string filter;      // "Description|*.htm;*.html|All|*.*"
    int filterIndex = 1;     // 1-based, as chosen; written back by the dialog
    std::string fileName;    // initial name; the chosen full path on return
    std::string initialDir;
  };

  struct PrintRequest {
    bool allPages = true;
    int fromPage = 1;
    int toPage = 1;
    int maxPage = 1;
    int copies = 1;
    bool collate = false;
  };

  virtual ~Dialogs() = default;
  virtual bool AskYesNo(const std::string& text) = 0;
  virtual Answer AskYesNoCancel(const std::string& text) = 0;
  virtual void Message(const std::string& text) = 0;
  // A one-line prompt; returns the text entered, or nothing when cancelled.
  virtual std::optional<std::string> Prompt(const std::string& caption, const std::string& label,
                                            const std::string& initial) = 0;
  virtual bool OpenFile(FileRequest& request) = 0;
  virtual bool SaveFile(FileRequest& request) = 0;
  virtual std::optional<TColor> ChooseColor(TColor initial) = 0;
  virtual bool Print(PrintRequest& request) = 0;
};
