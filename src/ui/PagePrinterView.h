#pragma once
#include <QAbstractScrollArea>

class TPagePrinter;

// The preview's page surface: shows the page printer's current page at its zoom on a gradient (or plain)
// background, with a drop shadow and the margins dotted, and scrolls when the page is larger than the
// view. Where everything goes is the page printer's business; this only paints it.
class PagePrinterView : public QAbstractScrollArea {
  Q_OBJECT
public:
  PagePrinterView(TPagePrinter& printer, QWidget* parent = nullptr);
  // Called after the page, the zoom or the size changed: new ranges, and the scroll position the page
  // printer's ZoomLocation asks for.
  void Rescroll();

protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

private:
  TPagePrinter& printer_;
};
