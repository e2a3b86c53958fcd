#pragma once
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/PrinterDevice.h"

// A 300-dpi A4 printer (2480 x 3508 pixels, 50 pixels unprintable at every edge) with a fixed-pitch font:
// every character is twice the point size wide. Pages record every draw call; the print job logs what was
// sent, naming pages by their recording number (1 = first recorded).
class FakePrinterDevice : public PrinterDevice {
public:
  struct Call {
    enum Kind { Text, Line } kind;
    int x = 0, y = 0, x2 = 0, y2 = 0, pen = 0;
    std::string text;
    PrintFont font;
  };
  // A page is its own canvas.
  class Page : public PrintedPage, public PageCanvas {
  public:
    explicit Page(int n) : number(n) {}
    PageCanvas& Canvas() override { return *this; }
    void Close() override { closed = true; }
    void SetFont(const PrintFont& f) override { font = f; }
    void TextOut(int x, int y, std::string_view text) override {
      if (closed) throw std::logic_error("drawing on a closed page");
      calls.push_back({Call::Text, x, y, 0, 0, 0, std::string(text), font});
    }
    void Line(int x1, int y1, int x2, int y2, int pen) override {
      calls.push_back({Call::Line, x1, y1, x2, y2, pen, {}, font});
    }
    std::vector<Call> Texts() const {
      std::vector<Call> out;
      for (const Call& c : calls)
        if (c.kind == Call::Text) out.push_back(c);
      return out;
    }
    const int number;
    bool closed = false;
    PrintFont font;
    std::vector<Call> calls;
  };

  int width = 2480, height = 3508, offset = 50, dpi = 300;
  int copyCount = 1;
  bool failJob = false;
  std::vector<std::string> log;  // "begin Title", "page 2", "sheet", "end", "abort", "copies N"
  int made = 0;  // pages recorded so far

  int PhysicalWidth() const override { return width; }
  int PhysicalHeight() const override { return height; }
  int OffsetX() const override { return offset; }
  int OffsetY() const override { return offset; }
  int DpiX() const override { return dpi; }
  int DpiY() const override { return dpi; }
  void SetLandscape(bool) override {}
  int TextWidth(const PrintFont& font, std::string_view text) override {
    return static_cast<int>(text.size()) * 2 * font.size;
  }
  std::unique_ptr<PrintedPage> NewPage() override {
    return std::make_unique<Page>(++made);
  }
  int CopyCount() const override { return copyCount; }
  void SetCopyCount(int copies) override {
    copyCount = copies;
    log.push_back("copies " + std::to_string(copies));
  }
  bool BeginJob(const std::string& title) override {
    if (failJob) return false;
    log.push_back("begin " + title);
    return true;
  }
  std::string JobError() const override { return "no printer"; }
  void PrintPage(const PrintedPage& page) override {
    log.push_back("page " + std::to_string(dynamic_cast<const Page&>(page).number));
  }
  void NewSheet() override { log.push_back("sheet"); }
  void EndJob() override { log.push_back("end"); }
  void AbortJob() override { log.push_back("abort"); }

  // The pages sent, in order, as "2 3 2 3".
  std::string Sent() const {
    std::string out;
    for (const std::string& entry : log)
      if (entry.rfind("page ", 0) == 0) out += (out.empty() ? "" : " ") + entry.substr(5);
    return out;
  }
};
