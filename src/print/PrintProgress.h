#pragma once
#include <string>

// The progress window shown while pages are sent to the printer. The page printer decides every text;
// the window only shows them and reports its Cancel button.
class PrintProgress {
public:
  virtual ~PrintProgress() = default;
  // Shown without being modal; without Cancel the button is hidden and the window is shorter.
  virtual void Show(bool showCancel) = 0;
  virtual void Update(const std::string& caption, const std::string& status, const std::string& pageLabel,
                      int position, int maximum) = 0;
  // Lets pending window events run; true once Cancel has been pressed.
  virtual bool ProcessEvents() = 0;
};

// The progress window's page label: "Page 3 of 12 x 2 Copies". The " of " part appears only for a range
// that starts at page 1, the copies part only for more than one copy.
std::string ProgressPageLabel(int page, int firstPage, int pagesInRange, int copies);
