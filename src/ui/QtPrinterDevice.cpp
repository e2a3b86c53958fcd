#include "ui/QtPrinterDevice.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPrintDialog>

#include "ui/QtCanvas.h"
#include "ui/Win1250Text.h"

namespace {

// A QPicture keeps its coordinates at its own logical resolution and scales them to the target
// device's when played. Pages are recorded in printer pixels, so playing undoes that scaling.
void PlayUnscaled(QPainter& painter, const QPicture& picture, double targetDpiX, double targetDpiY) {
  painter.save();
  painter.scale(picture.logicalDpiX() / targetDpiX, picture.logicalDpiY() / targetDpiY);
  painter.drawPicture(0, 0, picture);
  painter.restore();
}

}  // namespace

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

QtPrintedPage::QtPrintedPage(int printerDpiY) : dpiY_(printerDpiY) {
  painter_.begin(&picture_);
  painter_.setPen(Qt::black);
}

void QtPrintedPage::Close() {
  if (painter_.isActive()) painter_.end();
}

void QtPrintedPage::Recorder::SetFont(const PrintFont& font) {
  page_.painter_.setFont(QtPrinterDevice::PrinterFont(font, page_.dpiY_));
}

void QtPrintedPage::Recorder::TextOut(int x, int y, std::string_view text) {
  if (!page_.painter_.isActive()) return;
  const QFontMetrics metrics(page_.painter_.font());
  page_.painter_.drawText(QPoint(x, y + metrics.ascent()), FromWin1250(text));
}

void QtPrintedPage::Recorder::Line(int x1, int y1, int x2, int y2, int penWidth) {
  if (!page_.painter_.isActive()) return;
  page_.painter_.setPen(QPen(Qt::black, std::max(1, penWidth)));
  page_.painter_.drawLine(x1, y1, x2, y2);
  page_.painter_.setPen(Qt::black);
}

void QtPrintedPage::Replay(QPainter& painter, const QRectF& target, const QSizeF& printableSize) const {
  if (printableSize.isEmpty()) return;
  painter.save();
  painter.translate(target.topLeft());
  painter.scale(target.width() / printableSize.width(), target.height() / printableSize.height());
  const double deviceDpiX = painter.device()->logicalDpiX(), deviceDpiY = painter.device()->logicalDpiY();
  PlayUnscaled(painter, picture_, deviceDpiX, deviceDpiY);
  painter.restore();
}

// ---- The printer ----

QtPrinterDevice::QtPrinterDevice() = default;

QtPrinterDevice::~QtPrinterDevice() {
  if (painter_.isActive()) painter_.end();
}

void QtPrinterDevice::SetPdfOutput(const QString& fileName) {
  printer_.setOutputFormat(QPrinter::PdfFormat);
  printer_.setOutputFileName(fileName);
  printer_.setPageSize(QPageSize(QPageSize::A4));
  printer_.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  printer_.setFullPage(false);
}

bool QtPrinterDevice::AskPrintDialog(Dialogs::PrintRequest& request, QWidget* parent) {
  QPrintDialog dialog(&printer_, parent);
  dialog.setMinMax(1, std::max(1, request.maxPage));
  dialog.setFromTo(request.fromPage, request.toPage);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  if (dialog.exec() != QDialog::Accepted) return false;
  request.allPages = printer_.printRange() != QPrinter::PageRange;
  request.fromPage = printer_.fromPage();
  request.toPage = printer_.toPage();
  request.copies = printer_.copyCount();
  request.collate = printer_.collateCopies();
  return true;
}

int QtPrinterDevice::PhysicalWidth() const { return printer_.paperRect(QPrinter::DevicePixel).toRect().width(); }
int QtPrinterDevice::PhysicalHeight() const { return printer_.paperRect(QPrinter::DevicePixel).toRect().height(); }

int QtPrinterDevice::OffsetX() const {
  return static_cast<int>(printer_.pageRect(QPrinter::DevicePixel).left() - printer_.paperRect(QPrinter::DevicePixel).left());
}

int QtPrinterDevice::OffsetY() const {
  return static_cast<int>(printer_.pageRect(QPrinter::DevicePixel).top() - printer_.paperRect(QPrinter::DevicePixel).top());
}

int QtPrinterDevice::DpiX() const { return printer_.logicalDpiX(); }
int QtPrinterDevice::DpiY() const { return printer_.logicalDpiY(); }

void QtPrinterDevice::SetLandscape(bool landscape) {
  printer_.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

int QtPrinterDevice::TextWidth(const PrintFont& font, std::string_view text) {
  // The page printer measures many prefixes in one font; the metrics are kept for the last font.
  if (!measured_ || !(*measured_ == font)) {
    metrics_ = QFontMetrics(PrinterFont(font, DpiY()));
    measured_ = font;
  }
  return metrics_.horizontalAdvance(FromWin1250(text));
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
  PlayUnscaled(painter_, dynamic_cast<const QtPrintedPage&>(page).Picture(), DpiX(), DpiY());
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
