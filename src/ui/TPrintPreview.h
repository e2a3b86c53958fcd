#pragma once
#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "platform/Dialogs.h"
#include "print/TPagePrinter.h"
#include "ui/QtPrinterDevice.h"

class PagePrinterView;
class QComboBox;
class QToolBar;
class QToolButton;

// The print preview: the document's printed pages one at a time at a chosen zoom, paging, a jump to a
// page, printing the pages shown, and the print options, after which the pages are built again.
class TPrintPreview : public QDialog {
  Q_OBJECT
public:
  // documentText gives the editor's whole text each time the pages are built.
  TPrintPreview(std::string documentPath, std::function<std::string()> documentText, Dialogs& dialogs,
                QWidget* parent = nullptr);
  ~TPrintPreview() override;

  TPagePrinter& PagePrinter1() { return *printer_; }
  QtPrinterDevice& Device() { return device_; }
  PagePrinterView* View() const { return view_; }
  QComboBox* Zoom() const { return zoom_; }
  QToolButton* PagePanel() const { return strona_; }

  void PreviousPage();
  void NextPage();
  void GoToPage();
  void PrintPages();
  void ChangeOptions();
  // The print dialog; tests replace it.
  std::function<bool(Dialogs::PrintRequest&)> AskPrint;

protected:
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

private:
  // Applies the printer settings (with the defaults of the first showing or of a rebuild) and lays out.
  void BuildPages(bool afterOptions);
  void UpdatePagePanel();
  void LayOut();
  void Run(const std::function<void()>& action);

  std::string path_;
  std::function<std::string()> text_;
  Dialogs& dialogs_;
  QtPrinterDevice device_;
  std::unique_ptr<TPagePrinter> printer_;
  QToolBar* bar1_;
  QToolBar* bar2_;
  PagePrinterView* view_;
  QComboBox* zoom_;
  QToolButton* strona_;
  bool built_ = false;
};
