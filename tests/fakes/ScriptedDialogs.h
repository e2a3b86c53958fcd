#pragma once
#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/Dialogs.h"

// Dialogs that answer from a script and remember what they were asked. A question with no scripted
// answer left fails the test loudly instead of guessing.
class ScriptedDialogs : public Dialogs {
public:
  std::deque<Answer> answers;                       // AskYesNo (Yes/No) and AskYesNoCancel
  std::deque<std::optional<std::string>> prompts;   // Prompt results
  std::deque<std::pair<std::optional<std::string>, int>> files;  // OpenFile / SaveFile: path (none: cancelled), filter
  std::vector<FileRequest> requests;                // every file request, as given
  std::deque<std::optional<TColor>> colors;
  std::deque<bool> printAnswers;
  std::vector<std::string> asked;                   // every question and message text, in order
  void Choose(std::optional<std::string> name, int filterIndex = 1) { files.emplace_back(std::move(name), filterIndex); }

  bool AskYesNo(const std::string& text) override { return Next(text) == Answer::Yes; }
  Answer AskYesNoCancel(const std::string& text) override { return Next(text); }
  void Message(const std::string& text) override { asked.push_back(text); }
  std::optional<std::string> Prompt(const std::string& caption, const std::string& label,
                                    const std::string&) override {
    asked.push_back(caption + ": " + label);
    return Pop(prompts, "prompt");
  }
  bool OpenFile(FileRequest& request) override { return File(request); }
  bool SaveFile(FileRequest& request) override { return File(request); }
  std::optional<TColor> ChooseColor(TColor) override { return Pop(colors, "colour"); }
  bool Print(PrintRequest&) override { return Pop(printAnswers, "print"); }

private:
  Answer Next(const std::string& text) {
    asked.push_back(text);
    return Pop(answers, text);
  }
  bool File(FileRequest& request) {
    asked.push_back(request.title);
    requests.push_back(request);
    const auto [chosen, filter] = Pop(files, "file dialog");
    request.filterIndex = filter;
    if (!chosen) return false;
    request.fileName = *chosen;
    return true;
  }
  template <typename T>
  static T Pop(std::deque<T>& queue, const std::string& what) {
    if (queue.empty()) throw std::logic_error("unscripted dialog: " + what);
    T value = queue.front();
    queue.pop_front();
    return value;
  }
};
