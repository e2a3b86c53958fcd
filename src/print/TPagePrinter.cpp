// The page printer's properties, geometry and the laying out of body lines into pages.
#include "print/TPagePrinter.h"

#include "print/Decimal.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kInchesPerMillimeter = 0.03937007874015748;
// A device that cannot tell its resolution is taken to have this one.
constexpr int kFallbackDpi = 300;

int Dpi(int dpi) { return dpi > 0 ? dpi : kFallbackDpi; }

double ToUnits(int pixels, int dpi, TMeasureUnit unit) {
  const double inches = static_cast<double>(pixels) / Dpi(dpi);
  return unit == muMillimeters ? inches * 25.4 : inches;
}

int ToPixels(double units, int dpi, TMeasureUnit unit) {
  const double inches = unit == muMillimeters ? units * kInchesPerMillimeter : units;
  // The default rounding mode rounds halves to even. Absurd sizes are held inside int.
  const double pixels = std::nearbyint(inches * Dpi(dpi));
  if (!std::isfinite(pixels)) return 0;
  return static_cast<int>(std::clamp(pixels, -1e9, 1e9));
}

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

}  // namespace

TPagePrinter::TPagePrinter(PrinterDevice& device) : device_(device) {
  headerFont_ = font_;
  footerFont_ = font_;
  marginLeft_ = marginRight_ = PixelsToUnitsX(device_.OffsetX());
  marginTop_ = marginBottom_ = PixelsToUnitsY(device_.OffsetY());
  lineHeight_ = 0;
  RefreshLayout();
}

TPagePrinter::~TPagePrinter() { ClosePage(); }

// ---- Units and geometry ----

int TPagePrinter::UnitsToPixelsX(double units) const { return ToPixels(units, device_.DpiX(), measureUnit_); }
int TPagePrinter::UnitsToPixelsY(double units) const { return ToPixels(units, device_.DpiY(), measureUnit_); }
double TPagePrinter::PixelsToUnitsX(int pixels) const { return ToUnits(pixels, device_.DpiX(), measureUnit_); }
double TPagePrinter::PixelsToUnitsY(int pixels) const { return ToUnits(pixels, device_.DpiY(), measureUnit_); }

int TPagePrinter::PrintableWidth() const { return device_.PhysicalWidth() - 2 * device_.OffsetX(); }
int TPagePrinter::PrintableHeight() const { return device_.PhysicalHeight() - 2 * device_.OffsetY(); }

int TPagePrinter::TextLeft() const { return UnitsToPixelsX(marginLeft_ - PixelsToUnitsX(device_.OffsetX())); }
int TPagePrinter::TextTop() const { return UnitsToPixelsY(marginTop_ - PixelsToUnitsY(device_.OffsetY())); }

int TPagePrinter::TextWidth() const {
  const int right = UnitsToPixelsX(marginRight_ - PixelsToUnitsX(device_.OffsetX()));
  return UnitsToPixelsX(PixelsToUnitsX(PrintableWidth())) - TextLeft() - right;
}

int TPagePrinter::TextHeight() const {
  const int bottom = UnitsToPixelsY(marginBottom_ - PixelsToUnitsY(device_.OffsetY()));
  return UnitsToPixelsY(PixelsToUnitsY(PrintableHeight())) - TextTop() - bottom;
}

// ---- Properties ----

void TPagePrinter::CheckNotBuilding(const char* message) const {
  if (building_) throw EPagePrinter(message);
}

double TPagePrinter::ClampMargin(double value, bool horizontal) const {
  const double offset = horizontal ? PixelsToUnitsX(device_.OffsetX()) : PixelsToUnitsY(device_.OffsetY());
  const double page =
      horizontal ? PixelsToUnitsX(device_.PhysicalWidth()) : PixelsToUnitsY(device_.PhysicalHeight());
  if (!(value >= offset)) return offset;  // NaN too
  return std::min(value, page - offset);
}

void TPagePrinter::SetMarginTop(double value) {
  CheckNotBuilding("Unable to change top margin while printing");
  marginTop_ = ClampMargin(value, false);
  if (OnChange) OnChange();
}

void TPagePrinter::SetMarginBottom(double value) {
  CheckNotBuilding("Unable to change bottom margin while printing");
  marginBottom_ = ClampMargin(value, false);
  if (OnChange) OnChange();
}

void TPagePrinter::SetMarginLeft(double value) {
  CheckNotBuilding("Unable to change left margin while printing");
  marginLeft_ = ClampMargin(value, true);
  if (OnChange) OnChange();
}

void TPagePrinter::SetMarginRight(double value) {
  CheckNotBuilding("Unable to change right margin while printing");
  marginRight_ = ClampMargin(value, true);
  if (OnChange) OnChange();
}

void TPagePrinter::SetOrientation(TPrinterOrientation value) {
  CheckNotBuilding("Unable to change orientation while printing");
  orientation_ = value;
  device_.SetLandscape(value == poLandscape);
}

void TPagePrinter::SetFileName(const std::string& value) {
  CheckNotBuilding("Can't change FileName while printing");
  const auto first = value.find_first_not_of(" \t\r\n");
  const auto last = value.find_last_not_of(" \t\r\n");
  fileName_ = first == std::string::npos ? std::string() : value.substr(first, last - first + 1);
}

void TPagePrinter::SetMeasureUnit(TMeasureUnit unit) {
  if (unit == measureUnit_) return;
  const double factor = unit == muMillimeters ? 25.4 : kInchesPerMillimeter;
  measureUnit_ = unit;
  marginTop_ *= factor;
  marginBottom_ *= factor;
  marginLeft_ *= factor;
  marginRight_ *= factor;
  pageBorderOffset_ *= factor;
  defaultColWidth_ *= factor;
  RefreshLayout();
  // Column widths are in the unit too. A friendly text has already been converted again above.
  auto scale = [&](std::string& format) {
    std::string out;
    std::size_t start = 0;
    while (true) {
      const std::size_t end = format.find(tokenSeparator_, start);
      std::string item = format.substr(start, end == std::string::npos ? std::string::npos : end - start);
      std::string align;
      if (!item.empty() && (item[0] == '<' || item[0] == '>' || item[0] == '^')) {
        align = item.substr(0, 1);
        item.erase(0, 1);
      }
      if (const std::optional<double> width = ParseDecimal(item)) item = FormatFixed2(*width * factor);
      out += align + item;
      if (end == std::string::npos) break;
      out += tokenSeparator_;
      start = end + 1;
    }
    format = out;
  };
  if (friendlyHeader_.empty() && !headerFormat_.empty()) scale(headerFormat_);
  if (friendlyFooter_.empty() && !footerFormat_.empty()) scale(footerFormat_);
  if (!tableFormat_.empty()) scale(tableFormat_);
}

PrintFont TPagePrinter::Sane(const PrintFont& font) const {
  PrintFont f = font;
  // A size of zero or less would give lines no height; the engine's default size is used instead.
  if (f.size < 1) f.size = PrintFont().size;
  return f;
}

void TPagePrinter::UseFont(const PrintFont& font) {
  font_ = Sane(font);
  if (current_ != nullptr) current_->Canvas().SetFont(font_);
  // The absolute font height in printer pixels, as a font is sized for the printer's resolution.
  const int h = (font_.size * Dpi(device_.DpiY()) + 36) / 72;
  switch (lineSpacing_) {
    case lsHalfSpace: lineHeight_ = h / 2; break;
    case lsSingleSpace: lineHeight_ = h; break;
    case lsSingleAndAHalf: lineHeight_ = h + h / 2; break;
    case lsDoubleSpace: lineHeight_ = 2 * h; break;
  }
}

void TPagePrinter::SetFont(const PrintFont& font) {
  UseFont(font);
  if (autoHeaderFont_) headerFont_ = font_;
  if (autoFooterFont_) footerFont_ = font_;
}

void TPagePrinter::SetLineSpacing(TLineSpacing spacing) {
  lineSpacing_ = spacing;
  UseFont(font_);
}

void TPagePrinter::SetFriendlyHeader(const std::string& value) {
  friendlyHeader_ = value;
  ConvertFriendly(friendlyHeader_, header_, headerFormat_);
}

void TPagePrinter::SetFriendlyFooter(const std::string& value) {
  friendlyFooter_ = value;
  ConvertFriendly(friendlyFooter_, footer_, footerFormat_);
}

void TPagePrinter::SetZoomPercent(unsigned value) {
  zoomPercent_ = std::max(1u, value);
  if (OnChange) OnChange();
}

void TPagePrinter::SetPageNumber(int value) {
  if (value >= 1 && value <= PageCount()) {
    pageNumber_ = value;
  } else if (PageCount() == 0) {
    pageNumber_ = 0;
  } else {
    throw EPagePrinter("PageNumber must be between 1 and " + std::to_string(PageCount()));
  }
  if (OnChange) OnChange();
}

void TPagePrinter::SetFromPage(int value) {
  fromPage_ = value;
  if (toPage_ != 0 && fromPage_ > toPage_) toPage_ = fromPage_;
}

void TPagePrinter::SetToPage(int value) {
  toPage_ = value;
  if (toPage_ != 0 && fromPage_ > toPage_) fromPage_ = toPage_;
}

const PrintedPage* TPagePrinter::Page(int number) const {
  if (number < 1 || number > PageCount()) return nullptr;
  return pages_[static_cast<std::size_t>(number - 1)].get();
}

// ---- Layout ----

void TPagePrinter::RefreshLayout() {
  if (!building_) {
    SetMarginLeft(marginLeft_);
    SetMarginRight(marginRight_);
    SetMarginTop(marginTop_);
    SetMarginBottom(marginBottom_);
  }
  UseFont(font_);
  if (!friendlyHeader_.empty()) ConvertFriendly(friendlyHeader_, header_, headerFormat_);
  if (!friendlyFooter_.empty()) ConvertFriendly(friendlyFooter_, footer_, footerFormat_);
}

void TPagePrinter::BeginDoc() {
  // The pages being sent must stay until the job is done.
  if (printing_) throw EPagePrinter("Printing is already in progress");
  ClosePage();
  building_ = false;
  RefreshLayout();
  // Margins that meet or cross each other leave no room for a single line; building would then only
  // make empty pages.
  if (TextWidth() <= 0 || TextHeight() < lineHeight_ || TextHeight() <= 0)
    throw EPagePrinter("The margins leave no room for the text on the page");
  pages_.clear();
  pageNumber_ = 0;
  building_ = true;
  NewPage();
}

void TPagePrinter::ClosePage() {
  if (current_ != nullptr) current_->Close();
  current_ = nullptr;
}

void TPagePrinter::NewPage() {
  if (!building_) throw EPagePrinter("BeginDoc must be called before pages are written");
  ClosePage();
  std::unique_ptr<PrintedPage> page = device_.NewPage();
  current_ = page.get();
  current_->Canvas().SetFont(font_);
  pages_.push_back(std::move(page));
  ++pageNumber_;
  StartPage();
}

void TPagePrinter::StartPage() {
  x_ = y_ = lineCount_ = 0;
  if (OnNewPage) OnNewPage();
  const std::string keepFormat = tableFormat_;
  const bool keepGrid = tableGrid_;
  const PrintFont keepFont = font_;
  const bool keepAutoHeader = autoHeaderFont_, keepAutoFooter = autoFooterFont_;
  tableGrid_ = false;
  autoHeaderFont_ = autoFooterFont_ = false;
  inHeaderFooter_ = true;
  const int top = TextTop();

  if (!header_.empty()) {
    UseFont(headerFont_);
    const double band = (pageBorders_ & pbTop) ? marginTop_ - pageBorderOffset_ : marginTop_;
    // Centred between the paper's edge and the top margin (or the frame line above the text).
    y_ = (UnitsToPixelsY(band) - lineHeight_) / 2 - UnitsToPixelsY(marginTop_);
    if (top + y_ < 0) y_ = -top;
    tableFormat_ = headerFormat_;
    WriteColumns(header_);
  }
  if (!footer_.empty()) {
    UseFont(footerFont_);
    if (pageBorders_ & pbBottom)
      y_ = TextHeight() + UnitsToPixelsY(pageBorderOffset_) +
           (UnitsToPixelsY(marginBottom_ - pageBorderOffset_) - lineHeight_) / 2;
    else
      y_ = TextHeight() + (UnitsToPixelsY(marginBottom_) - lineHeight_) / 2;
    if (top + y_ + lineHeight_ > PrintableHeight()) y_ = PrintableHeight() - top - lineHeight_;
    tableFormat_ = footerFormat_;
    WriteColumns(footer_);
  }

  tableFormat_ = keepFormat;
  tableGrid_ = keepGrid;
  UseFont(keepFont);
  autoHeaderFont_ = keepAutoHeader;
  autoFooterFont_ = keepAutoFooter;
  inHeaderFooter_ = false;
  x_ = y_ = lineCount_ = 0;
  DrawFrame();
}

void TPagePrinter::DrawFrame() {
  if (pageBorders_ == 0) return;
  PageCanvas& canvas = current_->Canvas();
  const int horizontalPen = 2 * (Dpi(device_.DpiY()) / 300);
  const int verticalPen = 2 * (Dpi(device_.DpiX()) / 300);
  const int d = UnitsToPixelsX(pageBorderOffset_);
  const int left = TextLeft(), top = TextTop(), right = left + TextWidth(), bottom = top + TextHeight();
  if (pageBorders_ & pbTop) canvas.Line(left - d, top - d, right + d, top - d, horizontalPen);
  if (pageBorders_ & pbBottom) canvas.Line(left - d, bottom + d, right + d, bottom + d, horizontalPen);
  if (pageBorders_ & pbLeft) canvas.Line(left - d, top - d, left - d, bottom + d, verticalPen);
  if (pageBorders_ & pbRight) canvas.Line(right + d, top - d, right + d, bottom + d, verticalPen);
}

int TPagePrinter::FitLength(std::string_view text, int width) const {
  // The longest prefix no wider than width, found by bisection: widths only grow with the length.
  std::size_t lo = 0, hi = text.size();
  if (device_.TextWidth(font_, text) <= width) return static_cast<int>(text.size());
  if (width < 0) return 0;
  while (lo + 1 < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    if (device_.TextWidth(font_, text.substr(0, mid)) <= width)
      lo = mid;
    else
      hi = mid;
  }
  return static_cast<int>(lo);
}

void TPagePrinter::WriteLine(const std::string& text) {
  Write(text);
  NewLine();
}

void TPagePrinter::Write(const std::string& text) {
  if (current_ == nullptr) throw EPagePrinter("BeginDoc must be called before pages are written");
  std::string t;
  if (text.find('\t') == std::string::npos) {
    t = text;
  } else {
    const std::size_t tab = std::max(1u, tabSize_);
    for (char c : text) {
      if (c == '\t')
        t.append(tab - t.size() % tab, ' ');
      else
        t += c;
    }
  }
  const int width = TextWidth();
  const int textWidth = device_.TextWidth(font_, t);
  if (textWidth > width && t.size() > 1) {
    if (!wordWrap_) {
      Write(t.substr(0, static_cast<std::size_t>(FitLength(t, width))));
      return;
    }
    std::string_view rest = t;
    while (!rest.empty()) {
      std::size_t n = static_cast<std::size_t>(std::max(1, FitLength(rest, width - x_)));
      if (n < rest.size() && !IsBlankOrControl(rest[n])) {
        // Break after the last blank, so a word is not cut; a word longer than the line is cut at the edge.
        for (std::size_t i = n; i > 0; --i) {
          if (IsBlankOrControl(rest[i - 1])) {
            n = i;
            break;
          }
        }
      }
      const std::string prefix(rest.substr(0, n));
      rest.remove_prefix(n);
      if (!rest.empty() && rest[0] == ' ') rest.remove_prefix(1);
      // Every piece but the last advances; the last is left for the caller as Write leaves a line.
      if (rest.empty())
        Write(prefix);
      else
        WriteLine(prefix);
    }
    return;
  }
  switch (alignment_) {
    case taLeftJustify: x_ = 0; break;
    case taRightJustify: x_ = width - textWidth; break;
    case taCenter: x_ = (width - textWidth) / 2; break;
  }
  if (y_ + lineHeight_ >= TextHeight()) NewPage();
  current_->Canvas().TextOut(TextLeft() + x_, TextTop() + y_, t);
}

void TPagePrinter::NewLine() {
  x_ = 0;
  y_ += lineHeight_;
  if (!inHeaderFooter_ && y_ + lineHeight_ >= TextHeight()) {
    NewPage();
    return;
  }
  ++lineCount_;
  if (OnNewLine) OnNewLine();
}

void TPagePrinter::WriteLines(bool asTable) {
  for (const std::string& line : Lines) {
    if (asTable && !tableFormat_.empty())
      WriteColumns(line);
    else
      WriteLine(line);
  }
}

void TPagePrinter::EndDoc() {
  ClosePage();
  building_ = false;
  pageNumber_ = pages_.empty() ? 0 : 1;
  if (OnChange) OnChange();
}

std::vector<std::string> SplitPrintLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}
