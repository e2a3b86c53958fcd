#pragma once
#include <QDialog>

#include "print/PrintProgress.h"

class QLabel;
class QProgressBar;
class QPushButton;

// The window shown while pages go to the printer: the job's title as caption, a status line, the page
// line ("Page 3 of 12"), a bar, and Cancel, which asks the page printer to stop before the next page.
class TPPPrnPrgDlg : public QDialog, public PrintProgress {
  Q_OBJECT
public:
  explicit TPPPrnPrgDlg(QWidget* parent = nullptr);

  void Show(bool showCancel) override;
  void Update(const std::string& caption, const std::string& status, const std::string& pageLabel, int position,
              int maximum) override;
  bool ProcessEvents() override;

  QLabel* StatusLabel() const { return status_; }
  QLabel* PageLabel() const { return page_; }
  QPushButton* CancelButton() const { return cancel_; }
  bool Cancelled() const { return cancelled_; }

protected:
  void reject() override;

private:
  QLabel* status_;
  QLabel* page_;
  QProgressBar* bar_;
  QPushButton* cancel_;
  bool cancelled_ = false;
};
