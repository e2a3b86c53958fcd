#include "ui/PrintPdfCommand.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "app/DocumentText.h"
#include "app/TextFiles.h"
#include "print/PrintSettings.h"
#include "settings/MainSettings.h"
#include "ui/QtPrinterDevice.h"

bool IsPrintPdfCommand(int argc, char** argv) { return argc >= 2 && std::strcmp(argv[1], "--print-pdf") == 0; }

int RunPrintPdfCommand(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: quillpad --print-pdf OUT.pdf FILE\n");
    return 2;
  }
  // Printing needs fonts, not a screen.
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  OpenMainSettings();
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  const QString out = QString::fromLocal8Bit(argv[2]);
  // Like a normal start, the remaining arguments joined with blanks name the one file.
  std::string path = argv[3];
  for (int i = 4; i < argc; ++i) path += std::string(" ") + argv[i];

  const TFileRead read = ReadFileBytes(path);
  if (read.status != TFileRead::Status::Ok) {
    std::fprintf(stderr, "quillpad: cannot read %s\n", path.c_str());
    return 1;
  }
  const bool recognize = MainSettings().ReadBool("Editor", "RecognizeCharSet", false);
  const TDecodedDocument document = DecodeOwnedDocument(NormalizeLineEnds(read.bytes), recognize, std::nullopt);
  try {
    QtPrinterDevice device;
    device.SetPdfOutput(QFileInfo(out).absoluteFilePath());
    TPagePrinter printer(device);
    NameDocument(printer, path);
    {
      const SettingsStore store = OpenSettings(kPrinterKey);
      ApplyPrintSettings(printer, store, PrintCommandDefaults());
    }
    printer.RefreshLayout();
    printer.SetShowProgress(false);
    BuildDocumentPages(printer, document.text);
    printer.Print();
    std::printf("%s: %d page(s)\n", out.toLocal8Bit().constData(), printer.PageCount());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quillpad: %s\n", e.what());
    return 1;
  }
  return 0;
}
