#include "ui/TMainPrint.h"

#include "editor/TQuillEditor.h"
#include "print/PrintSettings.h"
#include "settings/MainSettings.h"
#include "ui/PrintCommon.h"
#include "ui/QtPrinterDevice.h"
#include "ui/TMain.h"
#include "ui/TPrintOptions.h"
#include "ui/TPrintPreview.h"

void PrintDocumentCommand(TMain& window, Dialogs& dialogs) {
  TQuillEditor* editor = window.Editor();
  if (editor == nullptr) return;
  // A page printer for this one print; nothing is kept between prints.
  QtPrinterDevice device;
  UsePdfWhenNoPrinter(device, editor->DocumentFileName(), &dialogs);
  TPagePrinter printer(device);
  NameDocument(printer, editor->DocumentFileName());
  {
    const SettingsStore store = OpenSettings(kPrinterKey);
    ApplyPrintSettings(printer, store, PrintCommandDefaults());
  }
  printer.RefreshLayout();
  printer.SetProgressMessage("");
  printer.SetShowProgress(true);
  printer.ProgressFactory = [&window] { return MakePrintProgress(&window); };
  BuildDocumentPages(printer, editor->Text());
  PrintBuiltPages(printer, [&](Dialogs::PrintRequest& request) { return device.AskPrintDialog(request, &window); });
}

void PrintOptionsCommand(TMain& window, Dialogs& dialogs) {
  TPrintOptions options(dialogs, &window);
  options.exec();
}

void PrintPreviewCommand(TMain& window, Dialogs& dialogs) {
  TQuillEditor* editor = window.Editor();
  if (editor == nullptr) return;
  TPrintPreview preview(editor->DocumentFileName(), [editor] { return editor->Text(); }, dialogs, &window);
  preview.exec();
}
