#pragma once
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <memory>
#include <optional>

#include "platform/Dialogs.h"
#include "platform/PrinterDevice.h"

class QWidget;

// A recorded page: a QPicture drawn in the printer's device pixels.
class QtPrintedPage : public PrintedPage {
public:
  QtPrintedPage(int printerDpiY);
  PageCanvas& Canvas() override { return canvas_; }
  void Close() override;
  const QPicture& Picture() const { return picture_; }
  // Draws the page with its printer pixels mapped onto target (a rectangle in painter coordinates).
  void Replay(QPainter& painter, const QRectF& target, const QSizeF& printableSize) const;

private:
  struct Recorder : PageCanvas {
    explicit Recorder(QtPrintedPage& page) : page_(page) {}
    void SetFont(const PrintFont& font) override;
    void TextOut(int x, int y, std::string_view text) override;
    void Line(int x1, int y1, int x2, int y2, int penWidth) override;
    QtPrintedPage& page_;
  };
  QPicture picture_;
  QPainter painter_;
  int dpiY_;
  Recorder canvas_{*this};
};

// The printer behind the page printer: a QPrinter (a CUPS printer, or a PDF file), its geometry and
// metrics, pages recorded as QPicture, and the print job on a QPainter.
class QtPrinterDevice : public PrinterDevice {
public:
  QtPrinterDevice();
  ~QtPrinterDevice() override;

  QPrinter& Printer() { return printer_; }
  // Prints into a PDF file on A4 paper, without an unprintable border.
  void SetPdfOutput(const QString& fileName);
  // The platform's print dialog on this printer, offering the page range, copies and collation.
  bool AskPrintDialog(Dialogs::PrintRequest& request, QWidget* parent);

  // The font a print font stands for, sized in pixels for a device of dpiY.
  static QFont PrinterFont(const PrintFont& font, int dpiY);

  int PhysicalWidth() const override;
  int PhysicalHeight() const override;
  int OffsetX() const override;
  int OffsetY() const override;
  int DpiX() const override;
  int DpiY() const override;
  void SetLandscape(bool landscape) override;
  int TextWidth(const PrintFont& font, std::string_view text) override;
  std::unique_ptr<PrintedPage> NewPage() override;
  int CopyCount() const override;
  void SetCopyCount(int copies) override;
  bool BeginJob(const std::string& title) override;
  std::string JobError() const override { return jobError_; }
  void PrintPage(const PrintedPage& page) override;
  void NewSheet() override;
  void EndJob() override;
  void AbortJob() override;

private:
  QPrinter printer_{QPrinter::HighResolution};
  QPainter painter_;
  std::string jobError_;
  std::optional<PrintFont> measured_;
  QFontMetrics metrics_{QFont()};
};
