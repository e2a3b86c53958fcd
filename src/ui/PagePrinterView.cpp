#include "ui/PagePrinterView.h"

#include <QLinearGradient>
#include <QPainter>
#include <QScrollBar>

#include "print/TPagePrinter.h"
#include "ui/QtColor.h"
#include "ui/QtPrinterDevice.h"

PagePrinterView::PagePrinterView(TPagePrinter& printer, QWidget* parent)
    : QAbstractScrollArea(parent), printer_(printer) {
  setObjectName(QStringLiteral("PagePrinter1"));
  viewport()->setBackgroundRole(QPalette::Window);
}

void PagePrinterView::Rescroll() {
  const QSize view = viewport()->size();
  const int dpiX = viewport()->logicalDpiX(), dpiY = viewport()->logicalDpiY();
  const PreviewGeometry g = printer_.Preview(view.width(), view.height(), dpiX, dpiY);
  horizontalScrollBar()->setRange(0, std::max(0, g.scrollWidth - view.width()));
  verticalScrollBar()->setRange(0, std::max(0, g.scrollHeight - view.height()));
  horizontalScrollBar()->setPageStep(view.width());
  verticalScrollBar()->setPageStep(view.height());
  const auto [x, y] = printer_.PreviewScrollPosition(view.width(), view.height(), dpiX, dpiY);
  horizontalScrollBar()->setValue(x);
  verticalScrollBar()->setValue(y);
  viewport()->update();
}

void PagePrinterView::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  Rescroll();
}

void PagePrinterView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const QSize view = viewport()->size();
  const int dpiX = viewport()->logicalDpiX(), dpiY = viewport()->logicalDpiY();
  // The paint surface is the view or the scroll range, whichever is larger; the view shows part of it.
  const PreviewGeometry first = printer_.Preview(view.width(), view.height(), dpiX, dpiY);
  const int surfaceW = std::max(view.width(), first.scrollWidth), surfaceH = std::max(view.height(), first.scrollHeight);
  const PreviewGeometry g = printer_.Preview(surfaceW, surfaceH, dpiX, dpiY);
  painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());

  const QColor face = palette().color(QPalette::Window);
  if (printer_.GradientBackground()) {
    QLinearGradient gradient(0, 0, 0, surfaceH);
    gradient.setColorAt(0, face.lighter(115));
    gradient.setColorAt(1, face.darker(125));
    painter.fillRect(0, 0, surfaceW, surfaceH, gradient);
  } else {
    painter.fillRect(0, 0, surfaceW, surfaceH, face);
  }
  auto rect = [](const PreviewRect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); };
  painter.fillRect(rect(g.shadow), ToQColor(printer_.ShadowColor(), palette()));
  painter.fillRect(rect(g.page), Qt::white);
  if (const PrintedPage* page = printer_.Page(printer_.PageNumber())) {
    painter.setClipRect(rect(g.page));
    dynamic_cast<const QtPrintedPage&>(*page).Replay(
        painter, QRectF(rect(g.picture)), QSizeF(printer_.PrintableWidth(), printer_.PrintableHeight()));
    painter.setClipping(false);
  }
  if (printer_.ShowMargins()) {
    painter.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect(g.margins));
  }
}
