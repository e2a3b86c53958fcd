#pragma once
#include <array>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/PrinterDevice.h"

class QWidget;

// A recorded page: the drawing calls in the printer's device pixels, replayed onto the printer or scaled
// onto the screen. Text is kept as the page's Windows-1250 bytes and laid out only when a page is drawn,
// so building the pages of a long document costs little more than breaking its lines, and the preview
// lays out only the page it shows.
class QtPrintedPage : public PrintedPage {
public:
  explicit QtPrintedPage(int printerDpiY) : dpiY_(printerDpiY) {}
  PageCanvas& Canvas() override { return canvas_; }
  void Close() override { closed_ = true; }
  // Draws the page with its printer pixels at the painter's origin, in the painter's transformation.
  void Play(QPainter& painter) const;
  // Draws the page with its printer pixels mapped onto target (a rectangle in painter coordinates).
  void Replay(QPainter& painter, const QRectF& target, const QSizeF& printableSize) const;

private:
  struct Op {
    enum Kind : unsigned char { Font, Pen, Text, Line } kind;
    // Font: x1 is the font's index; Pen: x1 the width; Text: x2 and y2 the start and length of the bytes
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  };
  struct Recorder : PageCanvas {
    explicit Recorder(QtPrintedPage& page) : page_(page) {}
    void SetFont(const PrintFont& font) override;
    void TextOut(int x, int y, std::string_view text) override;
    void Line(int x1, int y1, int x2, int y2, int penWidth) override;
    QtPrintedPage& page_;
  };
  std::vector<Op> ops_;
  std::vector<QFont> fonts_;
  std::vector<int> ascents_;
  std::string text_;  // the bytes of every text, one after the other
  int dpiY_;
  bool closed_ = false;
  Recorder canvas_{*this};
};

// The printer behind the page printer: a QPrinter (a CUPS printer, or a PDF file), its geometry and
// metrics, recorded pages, and the print job on a QPainter.
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
  // The page geometry, read again whenever the paper, the orientation or the printer may have changed:
  // asking the printer builds a page layout each time, and the page printer asks for every line.
  void ReadGeometry();
  struct Geometry {
    int width = 0, height = 0, offsetX = 0, offsetY = 0, dpiX = 0, dpiY = 0;
  };
  QPrinter printer_{QPrinter::HighResolution};
  Geometry geometry_;
  QPainter painter_;
  std::string jobError_;
  // The advance of every Windows-1250 byte in the last font measured: the page printer measures many
  // lines and prefixes in one font, and summing a table is far cheaper than laying text out.
  std::optional<PrintFont> measured_;
  std::array<double, 256> advance_{};
};
