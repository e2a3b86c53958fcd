#pragma once
#include <memory>
#include <string>

class Dialogs;
class PrintProgress;
class QWidget;
class QtPrinterDevice;

// Without any printer installed the device prints into a PDF file named after the document (in the
// home folder for a new document); the user is told so. False when a printer exists.
bool UsePdfWhenNoPrinter(QtPrinterDevice& device, const std::string& documentPath, Dialogs* dialogs);

// The progress window the page printer shows while it prints, owned by the caller of the factory.
std::unique_ptr<PrintProgress> MakePrintProgress(QWidget* parent);
