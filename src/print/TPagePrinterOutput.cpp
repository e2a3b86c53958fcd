// Sending the recorded pages to the printer, and where the preview shows them.
#include <algorithm>
#include <cmath>

#include "print/TPagePrinter.h"

std::string ProgressPageLabel(int page, int firstPage, int pagesInRange, int copies) {
  std::string label = "Page " + std::to_string(page);
  if (firstPage == 1) label += " of " + std::to_string(pagesInRange);
  if (copies > 1) label += " x " + std::to_string(copies) + " Copies";
  return label;
}

void TPagePrinter::Print() {
  if (printing_) throw EPagePrinter("Printing is already in progress");
  if (building_) EndDoc();
  if (pages_.empty()) return;
  const int count = PageCount();
  const int first = std::clamp(fromPage_ == 0 ? 1 : fromPage_, 1, count);
  const int last = std::clamp(toPage_ == 0 ? count : toPage_, first, count);
  printing_ = true;
  try {
    SendPages(first, last);
  } catch (...) {
    printing_ = false;
    throw;
  }
  printing_ = false;
}

void TPagePrinter::SendPages(int first, int last) {
  const int copies = static_cast<int>(std::max(1u, copies_));
  const int keepCopies = device_.CopyCount();
  // The copies are made here, page by page, so the printer must not multiply them again.
  device_.SetCopyCount(1);
  if (!device_.BeginJob(title_)) {
    device_.SetCopyCount(keepCopies);
    throw EPagePrinter("Unable to start printing: " + device_.JobError());
  }
  std::unique_ptr<PrintProgress> progress;
  if (showProgress_ && ProgressFactory) {
    progress = ProgressFactory();
    if (progress) progress->Show(showCancel_);
  }
  const int inRange = last - first + 1;
  const int total = copies * inRange;
  const std::string status = progressMessage_.empty() ? "Sending Pages To Printer" : progressMessage_;
  int sent = 0;
  auto printPage = [&](int page) {
    if (progress && showCancel_ && progress->ProcessEvents()) throw ECancelPrinting();
    ++sent;
    if (progress) progress->Update(title_, status, ProgressPageLabel(page, first, inRange, copies), sent, total);
    device_.PrintPage(*pages_[static_cast<std::size_t>(page - 1)]);
    if (sent < total) device_.NewSheet();
  };
  try {
    if (collate_) {
      for (int copy = 1; copy <= copies; ++copy)
        for (int page = first; page <= last; ++page) printPage(page);
    } else {
      for (int page = first; page <= last; ++page)
        for (int copy = 1; copy <= copies; ++copy) printPage(page);
    }
  } catch (...) {
    // The pages already sent are printed unless the job is to be thrown away.
    if (abortOnCancel_)
      device_.AbortJob();
    else
      device_.EndJob();
    progress.reset();
    device_.SetCopyCount(keepCopies);
    throw;
  }
  device_.EndJob();
  progress.reset();
  device_.SetCopyCount(keepCopies);
}

PreviewGeometry TPagePrinter::Preview(int surfaceWidth, int surfaceHeight, int screenDpiX, int screenDpiY) const {
  const double zoom = zoomPercent_ * 0.01;
  const double dpiX = device_.DpiX() > 0 ? device_.DpiX() : 300;
  const double dpiY = device_.DpiY() > 0 ? device_.DpiY() : 300;
  auto screen = [&](int pixels, double dpi, int screenDpi) {
    return static_cast<int>(std::lround(std::lround(pixels / dpi * screenDpi) * zoom));
  };
  PreviewGeometry g;
  g.pageWidth = screen(PrintableWidth(), dpiX, screenDpiX);
  g.pageHeight = screen(PrintableHeight(), dpiY, screenDpiY);
  const int border = (static_cast<int>(shadowOffset_) + 1) * 2;
  g.scrollWidth = g.pageWidth + border;
  g.scrollHeight = g.pageHeight + border;
  g.page.left = (surfaceWidth - g.pageWidth) / 2;
  g.page.top = (surfaceHeight - g.pageHeight) / 2;
  g.page.right = g.page.left + g.pageWidth;
  g.page.bottom = g.page.top + g.pageHeight;
  const int shadow = static_cast<int>(shadowOffset_);
  g.shadow = {g.page.left + shadow, g.page.top + shadow, g.page.right + shadow, g.page.bottom + shadow};
  const int offsetX = static_cast<int>(std::lround(device_.OffsetX() / dpiX * screenDpiX * zoom));
  const int offsetY = static_cast<int>(std::lround(device_.OffsetY() / dpiY * screenDpiY * zoom));
  g.picture = {g.page.left + offsetX + 1, g.page.top + offsetY + 1, g.page.right + 1, g.page.bottom + 1};
  // The text area, mapped the way the recorded page is stretched into the picture rectangle.
  const double sx = PrintableWidth() > 0 ? double(g.picture.right - g.picture.left) / PrintableWidth() : 0;
  const double sy = PrintableHeight() > 0 ? double(g.picture.bottom - g.picture.top) / PrintableHeight() : 0;
  g.margins = {g.picture.left + static_cast<int>(std::lround(TextLeft() * sx)),
               g.picture.top + static_cast<int>(std::lround(TextTop() * sy)),
               g.picture.left + static_cast<int>(std::lround((TextLeft() + TextWidth()) * sx)),
               g.picture.top + static_cast<int>(std::lround((TextTop() + TextHeight()) * sy))};
  return g;
}

std::pair<int, int> TPagePrinter::PreviewScrollPosition(int viewWidth, int viewHeight, int screenDpiX,
                                                        int screenDpiY) const {
  const PreviewGeometry g = Preview(viewWidth, viewHeight, screenDpiX, screenDpiY);
  const int maxX = std::max(0, g.scrollWidth - viewWidth);
  const int maxY = std::max(0, g.scrollHeight - viewHeight);
  switch (zoomLocation_) {
    case zlTopLeft: return {0, 0};
    case zlTopCenter: return {maxX / 2, 0};
    case zlCenter: return {maxX / 2, maxY / 2};
  }
  return {0, 0};
}
