#include "ui/QtPrinterDevice.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPrintDialog>
#include <algorithm>
#include <cmath>

#include "ui/QtCanvas.h"
#include "ui/Win1250Text.h"

QFont QtPrinterDevice::PrinterFont(const PrintFont& font, int dpiY) {
  QFont f = QtCanvas::ResolveFont(font.name, font.size);
  f.setHintingPreference(QFont::PreferNoHinting);
  // The absolute height of the font in device pixels, as the page printer counts its lines.
  f.setPixelSize(std::max(1, (font.size * (dpiY > 0 ? dpiY : 300) + 36) / 72));
  f.setBold(font.bold);
  f.setItalic(font.italic);
  f.setUnderline(font.underline);
  return f;
}

// ---- Recorded pages ----

void QtPrintedPage::Recorder::SetFont(const PrintFont& font) {
  const QFont f = QtPrinterDevice::PrinterFont(font, page_.dpiY_);
  auto it = std::find(page_.fonts_.begin(), page_.fonts_.end(), f);
  if (it == page_.fonts_.end()) {
    page_.fonts_.push_back(f);
    page_.ascents_.push_back(QFontMetrics(f).ascent());
    it = page_.fonts_.end() - 1;
  }
  page_.ops_.push_back({Op::Font, static_cast<int>(it - page_.fonts_.begin())});
}

void QtPrintedPage::Recorder::TextOut(int x, int y, std::string_view text) {
  if (page_.closed_) return;
  const int start = static_cast<int>(page_.text_.size());
  page_.text_.append(text);
  page_.ops_.push_back({Op::Text, x, y, start, static_cast<int>(text.size())});
}

void QtPrintedPage::Recorder::Line(int x1, int y1, int x2, int y2, int penWidth) {
  if (page_.closed_) return;
  page_.ops_.push_back({Op::Pen, std::max(1, penWidth)});
  page_.ops_.push_back({Op::Line, x1, y1, x2, y2});
}

void QtPrintedPage::Play(QPainter& painter) const {
  painter.save();
  painter.setPen(Qt::black);
  int ascent = 0;
  for (const Op& op : ops_) {
    switch (op.kind) {
      case Op::Font:
        painter.setFont(fonts_[static_cast<std::size_t>(op.x1)]);
        ascent = ascents_[static_cast<std::size_t>(op.x1)];
        break;
      case Op::Pen:
        painter.setPen(QPen(Qt::black, op.x1));
        break;
      case Op::Text:
        painter.drawText(QPoint(op.x1, op.y1 + ascent),
                         FromWin1250(std::string_view(text_).substr(static_cast<std::size_t>(op.x2),
                                                                    static_cast<std::size_t>(op.y2))));
        break;
      case Op::Line:
        painter.drawLine(op.x1, op.y1, op.x2, op.y2);
        painter.setPen(Qt::black);
        break;
    }
  }
  painter.restore();
}

void QtPrintedPage::Replay(QPainter& painter, const QRectF& target, const QSizeF& printableSize) const {
  if (printableSize.isEmpty()) return;
  painter.save();
  painter.translate(target.topLeft());
  painter.scale(target.width() / printableSize.width(), target.height() / printableSize.height());
  Play(painter);
  painter.restore();
}

// ---- The printer ----

QtPrinterDevice::QtPrinterDevice() { ReadGeometry(); }

QtPrinterDevice::~QtPrinterDevice() {
  if (painter_.isActive()) painter_.end();
}

void QtPrinterDevice::SetPdfOutput(const QString& fileName) {
  printer_.setOutputFormat(QPrinter::PdfFormat);
  printer_.setOutputFileName(fileName);
  printer_.setPageSize(QPageSize(QPageSize::A4));
  printer_.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  printer_.setFullPage(false);
  ReadGeometry();
}

bool QtPrinterDevice::AskPrintDialog(Dialogs::PrintRequest& request, QWidget* parent) {
  QPrintDialog dialog(&printer_, parent);
  dialog.setMinMax(1, std::max(1, request.maxPage));
  dialog.setFromTo(request.fromPage, request.toPage);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  ReadGeometry();
  if (!accepted) return false;
  request.allPages = printer_.printRange() != QPrinter::PageRange;
  request.fromPage = printer_.fromPage();
  request.toPage = printer_.toPage();
  request.copies = printer_.copyCount();
  request.collate = printer_.collateCopies();
  return true;
}

void QtPrinterDevice::ReadGeometry() {
  const QRect paper = printer_.paperRect(QPrinter::DevicePixel).toRect();
  const QRect page = printer_.pageRect(QPrinter::DevicePixel).toRect();
  geometry_ = {paper.width(), paper.height(), page.left() - paper.left(), page.top() - paper.top(),
               printer_.logicalDpiX(), printer_.logicalDpiY()};
  measured_.reset();
}

int QtPrinterDevice::PhysicalWidth() const { return geometry_.width; }
int QtPrinterDevice::PhysicalHeight() const { return geometry_.height; }
int QtPrinterDevice::OffsetX() const { return geometry_.offsetX; }
int QtPrinterDevice::OffsetY() const { return geometry_.offsetY; }
int QtPrinterDevice::DpiX() const { return geometry_.dpiX; }
int QtPrinterDevice::DpiY() const { return geometry_.dpiY; }

void QtPrinterDevice::SetLandscape(bool landscape) {
  printer_.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  ReadGeometry();
}

int QtPrinterDevice::TextWidth(const PrintFont& font, std::string_view text) {
  // The page printer measures many prefixes in one font; the metrics are kept for the last font.
  if (!measured_ || !(*measured_ == font)) {
    const QFontMetricsF metrics(PrinterFont(font, DpiY()));
    for (int b = 0; b < 256; ++b)
      advance_[static_cast<std::size_t>(b)] = metrics.horizontalAdvance(Win1250ToQChar(static_cast<char>(b)));
    measured_ = font;
  }
  double width = 0;
  for (const char c : text) width += advance_[static_cast<unsigned char>(c)];
  return static_cast<int>(std::lround(width));
}

std::unique_ptr<PrintedPage> QtPrinterDevice::NewPage() { return std::make_unique<QtPrintedPage>(DpiY()); }

int QtPrinterDevice::CopyCount() const { return printer_.copyCount(); }
void QtPrinterDevice::SetCopyCount(int copies) { printer_.setCopyCount(copies); }

bool QtPrinterDevice::BeginJob(const std::string& title) {
  printer_.setDocName(FromWin1250(title));
  if (printer_.outputFormat() == QPrinter::PdfFormat && printer_.outputFileName().isEmpty()) {
    jobError_ = "no PDF file name was given";
    return false;
  }
  if (!painter_.begin(&printer_)) {
    jobError_ = printer_.outputFormat() == QPrinter::PdfFormat
                    ? "the file " + printer_.outputFileName().toStdString() + " cannot be written"
                    : "the printer " + printer_.printerName().toStdString() + " cannot be opened";
    return false;
  }
  jobError_.clear();
  return true;
}

void QtPrinterDevice::PrintPage(const PrintedPage& page) {
  if (!painter_.isActive()) return;
  dynamic_cast<const QtPrintedPage&>(page).Play(painter_);
}

void QtPrinterDevice::NewSheet() {
  if (painter_.isActive()) printer_.newPage();
}

void QtPrinterDevice::EndJob() {
  if (painter_.isActive()) painter_.end();
}

void QtPrinterDevice::AbortJob() {
  printer_.abort();
  if (painter_.isActive()) painter_.end();
}
