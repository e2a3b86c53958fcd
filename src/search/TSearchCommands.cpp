#include "search/TSearchCommands.h"

#include <memory>

#include "app/LangTable.h"
#include "platform/Dialogs.h"
#include "search/SearchTarget.h"
#include "search/TPatternEngine.h"
#include "search/TextSearch.h"

namespace {

// The pattern search asks this in Polish whatever the interface language.
constexpr const char* kPatternRestart =
    "Wyszukiwanie zakończone. Rozpocząć wyszukiwanie od początku dokumentu? ";

constexpr std::size_t npos = std::string_view::npos;

int Size(const std::string& s) { return static_cast<int>(s.size()); }

// Holds the target's painting for a stretch of edits.
class UpdateLock {
public:
  explicit UpdateLock(SearchTarget& target) : target_(target) { target_.BeginUpdate(); }
  ~UpdateLock() { target_.EndUpdate(); }
  UpdateLock(const UpdateLock&) = delete;
  UpdateLock& operator=(const UpdateLock&) = delete;

private:
  SearchTarget& target_;
};

}  // namespace

bool TSearchCommands::Ask(int languageId) { return dialogs_.AskYesNo(LangText(languageId, InterfaceLanguage())); }

void TSearchCommands::FindDialogFind(const TFindOptions& options) {
  mode_ = Mode::Text;
  FindLoop(options.FindText, options.MatchCase, options.Down);
}

void TSearchCommands::ReplaceDialogFind(const TReplaceOptions& options) {
  FindLoop(options.FindText, options.MatchCase, true);
}

void TSearchCommands::FindLoop(const std::string& findText, bool matchCase, bool down) {
  for (;;) {
    const int start = target_.SelStart();
    std::size_t p = npos;
    std::string text;
    if (down) {
      p = target_.FindForward(findText, static_cast<std::size_t>(start + target_.SelLength()), matchCase);
    } else {
      text = target_.Text();
      p = SearchBackward(text, findText, static_cast<std::size_t>(start), matchCase);
    }
    if (p != npos) {
      target_.Select(static_cast<int>(p), Size(findText));
      return;
    }
    if (!Ask(74)) return;
    // Going on from where a search in this direction begins: the top going down, the end going up.
    target_.Select(down ? 0 : Size(text), 0);
  }
}

void TSearchCommands::ReplaceDialogReplace(const TReplaceOptions& options, bool all) {
  if (target_.SelLength() == 0) ReplaceDialogFind(options);
  if (target_.SelLength() == 0) return;
  if (!all) {
    target_.SetSelText(options.ReplaceText);
    return;
  }
  // Every search after a replacement starts behind it, where the text is as it was before. So the
  // text is read once and searched as it was, with `shift` (what the replacements so far added)
  // turning its positions into the editor's, until a restart from the top reads it again.
  // The editor shows the replacements when a stretch of them ends, not each one; the question at the
  // end of the text is asked over the document as it then is.
  std::string text = target_.Text();
  int shift = 0;
  auto lock = std::make_unique<UpdateLock>(target_);
  while (target_.SelLength() > 0) {
    const int end = target_.SelStart() + target_.SelLength() - shift;
    target_.SetSelText(options.ReplaceText);
    shift = target_.SelStart() - end;
    std::size_t from = static_cast<std::size_t>(end);
    for (;;) {
      const std::size_t p = SearchForward(text, options.FindText, from, options.MatchCase);
      if (p != npos) {
        target_.Select(static_cast<int>(p) + shift, Size(options.FindText));
        break;
      }
      lock.reset();
      if (!Ask(74)) return;
      lock = std::make_unique<UpdateLock>(target_);
      target_.Select(0, 0);
      text = target_.Text();
      shift = 0;
      from = 0;
    }
  }
}

bool TSearchCommands::FindNext(const TFindOptions& findDialog, const std::string& pattern) {
  if (mode_ == Mode::Pattern) {
    PatternSearch(pattern);
    return true;
  }
  if (findDialog.FindText.empty()) return false;
  const std::size_t p =
      target_.FindForward(findDialog.FindText, static_cast<std::size_t>(target_.SelStart() + 1), findDialog.MatchCase);
  if (p == npos)
    dialogs_.Message(LangText(75, InterfaceLanguage()));
  else
    target_.Select(static_cast<int>(p), Size(findDialog.FindText));
  return true;
}

void TSearchCommands::PatternDialogAccepted(const std::string& pattern) {
  mode_ = Mode::Pattern;
  PatternSearch(pattern);
}

void TSearchCommands::PatternSearch(const std::string& pattern) {
  TPatternEngine engine;
  if (const auto error = engine.Compile(pattern)) {
    dialogs_.Message(std::string(kPatternErrorHeading) + "\n" + *error);
    return;
  }
  const std::string text = target_.Text();
  int from = target_.SelStart() + target_.SelLength();
  for (;;) {
    if (const auto hit = engine.Find(text, from, Size(text))) {
      target_.Select(hit->Position - 1, hit->Length);
      return;
    }
    if (!dialogs_.AskYesNo(kPatternRestart)) return;
    target_.Select(0, 0);
    from = 0;
  }
}
