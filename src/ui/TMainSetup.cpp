// The main window's settings command.
#include "ui/TMain.h"
#include "ui/TSetup.h"

void TMain::Ustawienia1Click() {
  {
    TSetup setup(settings_, dialogs_, this);
    setup.exec();
  }
  // Confirmed or not, the editor shows what is stored now.
  ApplySettings();
}
