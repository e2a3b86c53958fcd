#pragma once
#include <stdexcept>
#include <string>

// The page printer's errors: a property changed while pages are being built, a page number out of range,
// a print job that could not start, or settings that cannot be printed with.
class EPagePrinter : public std::runtime_error {
public:
  explicit EPagePrinter(const std::string& message) : std::runtime_error(message) {}
};

// Raised out of printing when the user presses Cancel in the progress window.
class ECancelPrinting : public EPagePrinter {
public:
  ECancelPrinting() : EPagePrinter("Printing Cancelled") {}
};
