#pragma once
#include <memory>
#include <string>
#include <vector>

class Dialogs;
class SettingsStore;
class Shell;
class TMain;

// The program's start once the application object exists: the application title, the first-run
// language question when no language was ever chosen, then the main window (not yet shown).
std::unique_ptr<TMain> StartQuillpad(SettingsStore& settings, Dialogs& dialogs, Shell& shell,
                                     std::vector<std::string> arguments);
