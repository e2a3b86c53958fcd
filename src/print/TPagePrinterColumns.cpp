// Column lines (the header and the footer), their macros, and the friendly "&" texts they come from.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "app/Utf8Conversion.h"
#include "print/Decimal.h"
#include "print/TPagePrinter.h"

struct TPagePrinter::Column {
  TPrintAlignment align = taLeftJustify;
  double width = 0;
  bool grid = true;
};

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> items;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(separator, start);
    if (end == std::string::npos) {
      items.push_back(text.substr(start));
      return items;
    }
    items.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}


// The file name part of a path: the text after the last folder separator or drive colon.
std::string NamePart(const std::string& path) {
  const std::size_t cut = path.find_last_of("\\:/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string DefaultDateTime(const std::string& format) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const char* pattern = "%x";
  if (format == "dddddd")
    pattern = "%e %B %Y";
  else if (format == "t")
    pattern = "%H:%M";
  else if (format == "tt")
    pattern = "%X";
  char buffer[128];
  const std::size_t n = std::strftime(buffer, sizeof buffer, pattern, &local);
  // The locale's texts (month names) come in its own encoding, normally UTF-8.
  std::string text(buffer, n);
  if (!text.empty() && text[0] == ' ') text.erase(0, 1);
  return LooksLikeUtf8(text) ? Utf8ToWin(text) : text;
}

}  // namespace

std::string TPagePrinter::Now(const std::string& format) const {
  return FormatDateTime ? FormatDateTime(format) : DefaultDateTime(format);
}

std::vector<TPagePrinter::Column> TPagePrinter::ParseTableFormat() const {
  std::vector<Column> columns;
  for (std::string item : Split(tableFormat_, tokenSeparator_)) {
    Column column;
    if (!item.empty() && (item[0] == '<' || item[0] == '>' || item[0] == '^')) {
      column.align = item[0] == '>' ? taRightJustify : item[0] == '^' ? taCenter : taLeftJustify;
      item.erase(0, 1);
    }
    const double width = ParseDecimal(item).value_or(defaultColWidth_);
    // A negative width asks for no grid line round the column.
    column.grid = width >= 0;
    column.width = std::fabs(width);
    columns.push_back(column);
  }
  return columns;
}

std::string TPagePrinter::ExpandMacros(const std::string& text) const {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t at = text.find("{$", i);
    if (at == std::string::npos) break;
    out.append(text, i, at - i);
    const std::string_view rest = std::string_view(text).substr(at);
    auto is = [&](std::string_view macro) { return rest.substr(0, macro.size()) == macro; };
    if (is("{$LINE}")) {
      out += std::to_string(lineCount_);
      i = at + 7;
    } else if (is("{$PAGE}")) {
      out += std::to_string(pageNumber_);
      i = at + 7;
    } else if (is("{$DATE}")) {
      out += Now("ddddd");
      i = at + 7;
    } else if (is("{$TIME}")) {
      out += Now("tt");
      i = at + 7;
    } else if (is("{$TITLE}")) {
      out += title_;
      i = at + 8;
    } else {
      out += "{$";
      i = at + 2;
    }
  }
  out.append(text, i, std::string::npos);
  return out;
}

void TPagePrinter::WriteColumns(const std::string& text) {
  if (current_ == nullptr) throw EPagePrinter("BeginDoc must be called before pages are written");
  const std::vector<Column> columns = ParseTableFormat();
  std::vector<std::string> pending = Split(text, tokenSeparator_);
  pending.resize(columns.size());
  for (std::string& item : pending)
    if (item.find("{$") != std::string::npos) item = ExpandMacros(item);
  PageCanvas& canvas = current_->Canvas();
  const int padding = 6 * ((device_.DpiX() > 0 ? device_.DpiX() : 300) / 300);
  bool more = true;
  while (more) {
    more = false;
    x_ = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const Column& column = columns[i];
      const int width = UnitsToPixelsX(column.width);
      std::string cell = std::move(pending[i]);
      pending[i].clear();
      std::string rest;
      if (const std::size_t lf = cell.find('\n'); lf != std::string::npos) {
        if (wordWrap_) rest = cell.substr(lf + 1);
        cell.erase(lf);
        if (!cell.empty() && cell.back() == '\r') cell.pop_back();
      }
      std::size_t n = static_cast<std::size_t>(FitLength(cell, width));
      if (n < cell.size()) {
        if (wordWrap_) {
          n = std::max<std::size_t>(n, 1);
          if (n < cell.size() && cell[n] != ' ') {
            const std::size_t blank = cell.rfind(' ', n - 1);
            if (blank != std::string::npos && blank > 0) n = blank + 1;
          }
          std::string over = cell.substr(n);
          if (!over.empty() && over[0] == ' ') over.erase(0, 1);
          rest = rest.empty() ? over : over + "\n" + rest;
        }
        cell.erase(n);
      }
      const int cellWidth = device_.TextWidth(font_, cell);
      int at = 0;
      if (column.align == taRightJustify)
        at = width - cellWidth;
      else if (column.align == taCenter)
        at = (width - cellWidth) / 2;
      if (cellWidth < width - padding) {
        if (column.align == taLeftJustify) at += padding;
        if (column.align == taRightJustify) at -= padding;
      }
      if (!cell.empty()) canvas.TextOut(TextLeft() + x_ + at, TextTop() + y_, cell);
      if (tableGrid_ && column.grid) {
        const int l = TextLeft() + x_, t = TextTop() + y_;
        canvas.Line(l, t, l + width, t, 1);
        canvas.Line(l, t + lineHeight_, l + width, t + lineHeight_, 1);
        canvas.Line(l, t, l, t + lineHeight_, 1);
        canvas.Line(l + width, t, l + width, t + lineHeight_, 1);
      }
      x_ += width;
      if (!rest.empty()) {
        pending[i] = std::move(rest);
        more = true;
      }
    }
    if (more) NewLine();
  }
  if (!inHeaderFooter_) NewLine();
}

void TPagePrinter::ConvertFriendly(const std::string& text, std::string& line, std::string& format) const {
  line.clear();
  std::vector<char> aligns;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      line += text[i];
      continue;
    }
    if (++i == text.size()) break;
    const char code = text[i];
    if (code == 'l' || code == 'c' || code == 'r') {
      if (!line.empty()) {
        line += tokenSeparator_;
        if (aligns.empty()) aligns.push_back('<');
      }
      aligns.push_back(code == 'l' ? '<' : code == 'c' ? '^' : '>');
      continue;
    }
    std::string insert;
    switch (code) {
      case 'f': insert = NamePart(fileName_); break;
      case 'F': insert = fileName_; break;
      case 'p': insert = "{$PAGE}"; break;
      case 'i': insert = "{$TITLE}"; break;
      case 'd': insert = Now("ddddd"); break;
      case 'D': insert = Now("dddddd"); break;
      case 't': insert = Now("t"); break;
      case 'T': insert = Now("tt"); break;
      case '&': insert = "&"; break;
      default: break;
    }
    // An empty insertion still leaves a blank, so the column keeps its place.
    line += insert.empty() ? std::string(" ") : insert;
  }
  if (aligns.empty()) aligns.push_back('<');
  const double width =
      (PixelsToUnitsX(device_.PhysicalWidth()) - marginLeft_ - marginRight_) / static_cast<double>(aligns.size());
  const std::string widthText = FormatFixed2(width);
  format.clear();
  for (std::size_t i = 0; i < aligns.size(); ++i) {
    if (i > 0) format += tokenSeparator_;
    format += aligns[i];
    format += widthText;
  }
}
