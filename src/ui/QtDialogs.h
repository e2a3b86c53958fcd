#pragma once
#include <QString>

#include "platform/Dialogs.h"

class QWidget;

// The core's questions and messages as Qt dialogs, captioned with the application title and placed
// over the active window.
class QtDialogs : public Dialogs {
public:
  bool AskYesNo(const std::string& text) override;
  Answer AskYesNoCancel(const std::string& text) override;
  void Message(const std::string& text) override;
  std::optional<std::string> Prompt(const std::string& caption, const std::string& label,
                                    const std::string& initial) override;
  bool OpenFile(FileRequest& request) override;
  bool SaveFile(FileRequest& request) override;
  std::optional<TColor> ChooseColor(TColor initial) override;
  bool Print(PrintRequest& request) override;

  // "HTML|*.htm;*.html|All|*.*" as Qt's name filters: "HTML (*.htm *.html);;All (*.*)". Empty patterns
  // (a trailing ";") are left out.
  static QString QtFilter(const std::string& filter);

private:
  static QWidget* Parent();
  bool RunFileDialog(FileRequest& request, bool save);
};
