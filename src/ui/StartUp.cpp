#include "ui/StartUp.h"

#include "app/MainWindowLogic.h"
#include "settings/SettingsStore.h"
#include "ui/ApplicationState.h"
#include "ui/TLanguageSetup.h"
#include "ui/TMain.h"

std::unique_ptr<TMain> StartQuillpad(SettingsStore& settings, Dialogs& dialogs, Shell& shell,
                                     std::vector<std::string> arguments) {
  SeedProgramRandom();
  SetApplicationTitle(QString::fromUtf8(AppStartTitle));
  int defaultLanguage = 1;
  if (settings.ReadInteger("Interface", "Language", -1) == -1) {
    TLanguageSetup setup(settings);
    setup.exec();
    // A choice the settings could not keep still decides this run's language.
    if (setup.Chosen() != 0 && !setup.Stored()) defaultLanguage = setup.Chosen();
  }
  return std::make_unique<TMain>(settings, dialogs, shell, std::move(arguments), defaultLanguage);
}
