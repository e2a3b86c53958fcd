#pragma once
#include <string>

class Dialogs;
class SearchTarget;

// What the find dialog holds when its button is pressed (texts are Windows-1250).
struct TFindOptions {
  std::string FindText;
  bool MatchCase = false;
  bool Down = true;
};

// What the replace dialog holds; it always searches downwards.
struct TReplaceOptions {
  std::string FindText;
  std::string ReplaceText;
  bool MatchCase = false;
};

// Find, find next, replace and the pattern search over the editor's whole text. A hit is shown by
// selecting it. The commands remember whether the last search was a plain or a pattern search, so that
// find next repeats the right one.
class TSearchCommands {
public:
  enum class Mode { Text = 0, Pattern = 1 };

  TSearchCommands(SearchTarget& target, Dialogs& dialogs) : target_(target), dialogs_(dialogs) {}

  Mode SearchMode() const { return mode_; }

  // The find dialog's button: searches in the dialog's direction; at the end of the text asks whether
  // to go on from the other end (the start going down, the end going up).
  void FindDialogFind(const TFindOptions& options);
  // The replace dialog's find button: the same, always downwards, leaving the search mode alone.
  void ReplaceDialogFind(const TReplaceOptions& options);
  // Replace puts the replacement over the selection once. Replace All replaces the selection and every
  // further hit, each as its own undoable edit, until the question at the end of the text is answered No.
  // With nothing selected both first look for a hit.
  void ReplaceDialogReplace(const TReplaceOptions& options, bool all);

  // F3. Repeats a pattern search after a pattern search; otherwise searches the find dialog's text
  // downwards from one character after the selection's start, so overlapping hits are found, and
  // reports when there is none. Returns false when the find dialog has no text yet and has to be opened.
  bool FindNext(const TFindOptions& findDialog, const std::string& pattern);

  // The pattern dialog's OK: from now on find next repeats this search.
  void PatternDialogAccepted(const std::string& pattern);
  // Searches for the pattern from the end of the selection; at the end of the text asks whether to start
  // again from the top. An invalid pattern is reported and changes nothing.
  void PatternSearch(const std::string& pattern);

private:
  void FindLoop(const std::string& findText, bool matchCase, bool down);
  bool Ask(int languageId);

  SearchTarget& target_;
  Dialogs& dialogs_;
  Mode mode_ = Mode::Text;
};
