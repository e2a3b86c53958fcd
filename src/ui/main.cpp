// The quillpad program: checks for a display, opens the settings, then starts the main window.
#include <QApplication>
#include <cstdio>

#include "settings/MainSettings.h"
#include "ui/DisplayCheck.h"
#include "ui/PrintPdfCommand.h"
#include "ui/QtDialogs.h"
#include "ui/QtShell.h"
#include "ui/StartUp.h"
#include "ui/TMain.h"

int main(int argc, char** argv) {
  if (IsPrintPdfCommand(argc, argv)) return RunPrintPdfCommand(argc, argv);
  if (const std::optional<std::string> message = MissingDisplayMessage()) {
    std::fprintf(stderr, "%s\n", message->c_str());
    return 2;
  }
  // Opened before anything else; a folder that cannot be written leaves it on its defaults.
  OpenMainSettings();
  SettingsStore& settings = MainSettings();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("quillpad"));
  QApplication::setOrganizationName(QStringLiteral("Norvale"));
  QApplication::setDesktopFileName(QStringLiteral("quillpad"));

  std::vector<std::string> arguments;
  for (const QString& a : QApplication::arguments().mid(1)) arguments.push_back(a.toStdString());
  QtDialogs dialogs;
  QtShell shell;
  std::unique_ptr<TMain> window = StartQuillpad(settings, dialogs, shell, std::move(arguments));
  window->show();
  return QApplication::exec();
}
