#pragma once
#include <string>

class Canvas;

// A printer (or the preview's stand-in): page geometry in device pixels, and a canvas per page.
class PrinterDevice {
public:
  virtual ~PrinterDevice() = default;
  virtual int PageWidth() const = 0;   // printable width in pixels
  virtual int PageHeight() const = 0;  // printable height in pixels
  virtual int OffsetX() const = 0;     // unprintable margin on the left, pixels
  virtual int OffsetY() const = 0;     // unprintable margin at the top, pixels
  virtual int DpiX() const = 0;
  virtual int DpiY() const = 0;
  virtual bool BeginDocument(const std::string& title) = 0;
  // A canvas recording one page; EndPage sends it to the printer.
  virtual Canvas& BeginPage() = 0;
  virtual void EndPage() = 0;
  virtual void EndDocument() = 0;
  virtual void Abort() = 0;
};
