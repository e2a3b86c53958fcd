#include "ui/PrintCommon.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinterInfo>

#include "app/LangTable.h"
#include "platform/Dialogs.h"
#include "ui/QtPrinterDevice.h"
#include "ui/TPPPrnPrgDlg.h"

bool UsePdfWhenNoPrinter(QtPrinterDevice& device, const std::string& documentPath, Dialogs* dialogs) {
  if (!QPrinterInfo::availablePrinterNames().isEmpty()) return false;
  const QFileInfo document(QString::fromStdString(documentPath));
  const QString folder = documentPath.empty() ? QDir::homePath() : document.absolutePath();
  const QString base = documentPath.empty() ? QStringLiteral("document") : document.completeBaseName();
  const QString pdf = QDir(folder).filePath(base + QStringLiteral(".pdf"));
  device.SetPdfOutput(pdf);
  if (dialogs != nullptr) {
    dialogs->Message(InterfaceLanguage() == 2
                         ? "No printer is installed. The document can be printed to a PDF file (" +
                               pdf.toStdString() + ") in the print dialog."
                         : "Nie zainstalowano żadnej drukarki. Dokument można wydrukować do pliku PDF (" +
                               pdf.toStdString() + ") w oknie drukowania.");
  }
  return true;
}

std::unique_ptr<PrintProgress> MakePrintProgress(QWidget* parent) { return std::make_unique<TPPPrnPrgDlg>(parent); }
