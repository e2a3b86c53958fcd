#pragma once
#include <memory>
#include <string>
#include <string_view>

// A font of the printed page. The size is in points; the device scales it to its own resolution.
struct PrintFont {
  std::string name = "Courier New";
  int size = 10;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool operator==(const PrintFont&) const = default;
};

// What a page is drawn with. Coordinates are device pixels from the corner of the printable area; text is
// Windows-1250 bytes drawn in black on a transparent background, its top edge at y.
class PageCanvas {
public:
  virtual ~PageCanvas() = default;
  virtual void SetFont(const PrintFont& font) = 0;
  virtual void TextOut(int x, int y, std::string_view text) = 0;
  virtual void Line(int x1, int y1, int x2, int y2, int penWidth) = 0;
};

// One recorded page. Its canvas records until Close; afterwards the page can be replayed any number of
// times (onto the printer by the device, scaled onto the screen by the preview).
class PrintedPage {
public:
  virtual ~PrintedPage() = default;
  virtual PageCanvas& Canvas() = 0;
  virtual void Close() = 0;
};

// A printer (a real one, a PDF file, or a test's stand-in): the page geometry in device pixels, text
// measured with the printer's own metrics, recorded pages, and the print job that sends them.
class PrinterDevice {
public:
  virtual ~PrinterDevice() = default;

  // The paper, in pixels, and the unprintable offsets at the left and the top (the same at the right and
  // the bottom). The printable area is the paper less the offsets on both sides.
  virtual int PhysicalWidth() const = 0;
  virtual int PhysicalHeight() const = 0;
  virtual int OffsetX() const = 0;
  virtual int OffsetY() const = 0;
  // Dots per inch; 0 when the device cannot tell.
  virtual int DpiX() const = 0;
  virtual int DpiY() const = 0;

  // Landscape swaps the paper's sides.
  virtual void SetLandscape(bool landscape) = 0;

  // The width of text in a font, in device pixels, with the printer's metrics.
  virtual int TextWidth(const PrintFont& font, std::string_view text) = 0;

  // A new page to record, of the printable area's size, measured against the printer.
  virtual std::unique_ptr<PrintedPage> NewPage() = 0;

  // The copy count the printer itself would make of every page.
  virtual int CopyCount() const = 0;
  virtual void SetCopyCount(int copies) = 0;

  // The print job. BeginJob returns false (with a reason in JobError) when the job cannot start.
  virtual bool BeginJob(const std::string& title) = 0;
  virtual std::string JobError() const = 0;
  // Draws a recorded page onto the current sheet at the printable area's corner.
  virtual void PrintPage(const PrintedPage& page) = 0;
  // Starts a new sheet.
  virtual void NewSheet() = 0;
  virtual void EndJob() = 0;
  virtual void AbortJob() = 0;
};
