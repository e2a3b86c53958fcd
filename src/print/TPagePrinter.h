#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Color.h"
#include "platform/PrinterDevice.h"
#include "print/EPagePrinter.h"
#include "print/PrintProgress.h"

enum TMeasureUnit { muInches, muMillimeters };
enum TLineSpacing { lsHalfSpace, lsSingleSpace, lsSingleAndAHalf, lsDoubleSpace };
enum TPrintAlignment { taLeftJustify, taRightJustify, taCenter };
enum TPageBorder : std::uint8_t { pbTop = 1, pbBottom = 2, pbLeft = 4, pbRight = 8 };
enum TZoomLocation { zlTopLeft, zlTopCenter, zlCenter };
enum TPrinterOrientation { poPortrait, poLandscape };

// Rectangles of the preview, in screen pixels of the paint surface.
struct PreviewRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const PreviewRect&) const = default;
};

// Where the preview draws one page at the current zoom.
struct PreviewGeometry {
  int pageWidth = 0, pageHeight = 0;      // the printable area on screen
  int scrollWidth = 0, scrollHeight = 0;  // the scroll ranges
  PreviewRect page;                       // the white page, centred in the surface
  PreviewRect shadow;                     // the page moved by ShadowOffset
  PreviewRect picture;                    // where the recorded page is stretched to
  PreviewRect margins;                    // the text area, drawn dotted
};

// Turns lines of plain text into printed pages: lays them out in one font on the printer's page, breaks
// them into pages with a header and a footer line on each, optionally frames the text area, records
// every page, and sends the recorded pages to the printer with copies, collation and a page range.
// It also answers where the preview shows a page. All layout is in the printer's device pixels; margins
// and column widths are in MeasureUnit.
class TPagePrinter {
public:
  explicit TPagePrinter(PrinterDevice& device);
  ~TPagePrinter();
  TPagePrinter(const TPagePrinter&) = delete;
  TPagePrinter& operator=(const TPagePrinter&) = delete;

  // ---- Properties ----
  TMeasureUnit MeasureUnit() const { return measureUnit_; }
  void SetMeasureUnit(TMeasureUnit unit);
  double MarginTop() const { return marginTop_; }
  double MarginBottom() const { return marginBottom_; }
  double MarginLeft() const { return marginLeft_; }
  double MarginRight() const { return marginRight_; }
  void SetMarginTop(double value);
  void SetMarginBottom(double value);
  void SetMarginLeft(double value);
  void SetMarginRight(double value);

  const PrintFont& Font() const { return font_; }
  void SetFont(const PrintFont& font);
  const PrintFont& HeaderFont() const { return headerFont_; }
  void SetHeaderFont(const PrintFont& font) { headerFont_ = Sane(font); }
  const PrintFont& FooterFont() const { return footerFont_; }
  void SetFooterFont(const PrintFont& font) { footerFont_ = Sane(font); }
  bool AutoHeaderFont() const { return autoHeaderFont_; }
  void SetAutoHeaderFont(bool value) { autoHeaderFont_ = value; }
  bool AutoFooterFont() const { return autoFooterFont_; }
  void SetAutoFooterFont(bool value) { autoFooterFont_ = value; }

  TLineSpacing LineSpacing() const { return lineSpacing_; }
  void SetLineSpacing(TLineSpacing spacing);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value) { wordWrap_ = value; }
  unsigned TabSize() const { return tabSize_; }
  void SetTabSize(unsigned value) { tabSize_ = value; }
  TPrintAlignment Alignment() const { return alignment_; }
  void SetAlignment(TPrintAlignment value) { alignment_ = value; }

  std::vector<std::string> Lines;  // the text to print, one entry per line

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& value) { title_ = value; }
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& value);
  const std::string& FriendlyHeader() const { return friendlyHeader_; }
  void SetFriendlyHeader(const std::string& value);
  const std::string& FriendlyFooter() const { return friendlyFooter_; }
  void SetFriendlyFooter(const std::string& value);
  const std::string& Header() const { return header_; }
  void SetHeader(const std::string& value) { header_ = value; }
  const std::string& Footer() const { return footer_; }
  void SetFooter(const std::string& value) { footer_ = value; }
  const std::string& HeaderFormat() const { return headerFormat_; }
  void SetHeaderFormat(const std::string& value) { headerFormat_ = value; }
  const std::string& FooterFormat() const { return footerFormat_; }
  void SetFooterFormat(const std::string& value) { footerFormat_ = value; }
  const std::string& TableFormat() const { return tableFormat_; }
  void SetTableFormat(const std::string& value) { tableFormat_ = value; }
  char TokenSeparator() const { return tokenSeparator_; }
  void SetTokenSeparator(char value) { tokenSeparator_ = value; }
  double DefaultColWidth() const { return defaultColWidth_; }
  void SetDefaultColWidth(double value) { defaultColWidth_ = value; }
  bool TableGrid() const { return tableGrid_; }
  void SetTableGrid(bool value) { tableGrid_ = value; }
  std::uint8_t PageBorders() const { return pageBorders_; }
  void SetPageBorders(std::uint8_t borders) { pageBorders_ = borders & 15; }
  double PageBorderOffset() const { return pageBorderOffset_; }
  void SetPageBorderOffset(double value) { pageBorderOffset_ = value; }
  TPrinterOrientation Orientation() const { return orientation_; }
  void SetOrientation(TPrinterOrientation value);

  unsigned Copies() const { return copies_; }
  void SetCopies(unsigned value) { copies_ = value; }
  bool Collate() const { return collate_; }
  void SetCollate(bool value) { collate_ = value; }
  bool ShowProgress() const { return showProgress_; }
  void SetShowProgress(bool value) { showProgress_ = value; }
  bool ShowCancel() const { return showCancel_; }
  void SetShowCancel(bool value) { showCancel_ = value; }
  bool AbortOnCancel() const { return abortOnCancel_; }
  void SetAbortOnCancel(bool value) { abortOnCancel_ = value; }
  const std::string& ProgressMessage() const { return progressMessage_; }
  void SetProgressMessage(const std::string& value) { progressMessage_ = value; }

  unsigned ZoomPercent() const { return zoomPercent_; }
  void SetZoomPercent(unsigned value);
  TZoomLocation ZoomLocation() const { return zoomLocation_; }
  void SetZoomLocation(TZoomLocation value) { zoomLocation_ = value; }
  bool ShowMargins() const { return showMargins_; }
  void SetShowMargins(bool value) { showMargins_ = value; }
  TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(TColor value) { shadowColor_ = value; }
  unsigned ShadowOffset() const { return shadowOffset_; }
  void SetShadowOffset(unsigned value) { shadowOffset_ = value; }
  bool GradientBackground() const { return gradientBackground_; }
  void SetGradientBackground(bool value) { gradientBackground_ = value; }

  std::function<void()> OnNewPage;
  std::function<void()> OnNewLine;
  // Called when the shown page or the zoom changed, so the preview can repaint and scroll.
  std::function<void()> OnChange;
  // Makes the progress window; without it printing shows none.
  std::function<std::unique_ptr<PrintProgress>()> ProgressFactory;
  // The current date or time in one of the formats "ddddd" (short date), "dddddd" (long date), "t" (short
  // time) and "tt" (long time), as Windows-1250 text. Tests replace it with a fixed clock.
  std::function<std::string(const std::string& format)> FormatDateTime;

  int PageCount() const { return static_cast<int>(pages_.size()); }
  int PageNumber() const { return pageNumber_; }
  // A page from 1 to PageCount is shown; anything else raises EPagePrinter, unless there are no pages.
  void SetPageNumber(int value);
  int FromPage() const { return fromPage_; }
  int ToPage() const { return toPage_; }
  void SetFromPage(int value);
  void SetToPage(int value);
  const PrintedPage* Page(int number) const;  // 1-based; null when out of range
  bool Building() const { return building_; }

  // ---- Operations ----
  // Clamps the margins, takes the fonts' metrics and converts the friendly header and footer again.
  void RefreshLayout();
  void BeginDoc();
  void WriteLine(const std::string& text);
  void Write(const std::string& text);
  void NewLine();
  void NewPage();
  void WriteLines(bool asTable);
  void EndDoc();
  // Sends the recorded pages to the printer; raises ECancelPrinting when the user cancels.
  void Print();

  // ---- Geometry, in printer pixels ----
  int LineHeight() const { return lineHeight_; }
  int TextLeft() const;
  int TextTop() const;
  int TextWidth() const;
  int TextHeight() const;
  int PrintableWidth() const;
  int PrintableHeight() const;
  int UnitsToPixelsX(double units) const;
  int UnitsToPixelsY(double units) const;
  double PixelsToUnitsX(int pixels) const;
  double PixelsToUnitsY(int pixels) const;

  // Where the shown page is drawn on a surface of the given size, for a screen of the given resolution.
  PreviewGeometry Preview(int surfaceWidth, int surfaceHeight, int screenDpiX, int screenDpiY) const;
  // The scroll position the preview goes to after a size or zoom change, for a view of the given size.
  std::pair<int, int> PreviewScrollPosition(int viewWidth, int viewHeight, int screenDpiX, int screenDpiY) const;

private:
  struct Column;
  PrintFont Sane(const PrintFont& font) const;
  void UseFont(const PrintFont& font);
  void StartPage();
  void DrawFrame();
  void WriteColumns(const std::string& text);
  std::vector<Column> ParseTableFormat() const;
  std::string ExpandMacros(const std::string& text) const;
  void ConvertFriendly(const std::string& text, std::string& line, std::string& format) const;
  void ClosePage();
  void CheckNotBuilding(const char* message) const;
  double ClampMargin(double value, bool horizontal) const;
  int FitLength(std::string_view text, int width) const;
  void SendPages(int first, int last);
  std::string Now(const std::string& format) const;

  PrinterDevice& device_;
  TMeasureUnit measureUnit_ = muInches;
  double marginTop_ = 0, marginBottom_ = 0, marginLeft_ = 0, marginRight_ = 0;
  PrintFont font_, headerFont_, footerFont_;
  bool autoHeaderFont_ = true, autoFooterFont_ = true;
  TLineSpacing lineSpacing_ = lsSingleSpace;
  bool wordWrap_ = true;
  unsigned tabSize_ = 8;
  TPrintAlignment alignment_ = taLeftJustify;
  std::string title_, fileName_, friendlyHeader_, friendlyFooter_, header_, footer_;
  std::string headerFormat_, footerFormat_, tableFormat_;
  char tokenSeparator_ = '|';
  double defaultColWidth_ = 0;
  bool tableGrid_ = false;
  std::uint8_t pageBorders_ = 0;
  double pageBorderOffset_ = 0;
  TPrinterOrientation orientation_ = poPortrait;
  unsigned copies_ = 1;
  bool collate_ = true;
  bool showProgress_ = true, showCancel_ = true, abortOnCancel_ = false;
  std::string progressMessage_;
  unsigned zoomPercent_ = 25;
  TZoomLocation zoomLocation_ = zlTopLeft;
  bool showMargins_ = true;
  TColor shadowColor_ = quill_colors::SystemBit | 16;  // the button-shadow colour of the desktop theme
  unsigned shadowOffset_ = 5;
  bool gradientBackground_ = true;

  std::vector<std::unique_ptr<PrintedPage>> pages_;  // the page list, page 1 first
  PrintedPage* current_ = nullptr;                   // the page being recorded
  int pageNumber_ = 0;
  int fromPage_ = 0, toPage_ = 0;
  int x_ = 0, y_ = 0, lineCount_ = 0;
  int lineHeight_ = 0;
  bool building_ = false;
  bool inHeaderFooter_ = false;
  bool printing_ = false;
};

// The document's text as the lines to print: split at CR LF, CR or LF; a break at the very end starts no
// further line, and an empty text has no lines.
std::vector<std::string> SplitPrintLines(const std::string& text);
