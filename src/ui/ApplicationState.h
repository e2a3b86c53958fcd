#pragma once
#include <QString>
#include <optional>
#include <random>

// What the whole program shares besides the settings: the application title, the help page, and the
// random generator of the tip and information boxes.

// The title message boxes are captioned with. It starts as "Quillpad" and becomes "Quillpad - <file>"
// when a named document is shown. (Qt would append its display name to every window caption, so the
// title is kept here instead.)
QString ApplicationTitle();
void SetApplicationTitle(const QString& title);

// The help page found at start-up; nothing when none was found (the help commands are then hidden).
std::optional<QString> ApplicationHelpFile();
void SetApplicationHelpFile(const std::optional<QString>& path);
// The address of a topic ("program_about", "search_regexp") of the help page; empty without one.
QString HelpTopicUrl(const QString& topic);

// Seeded from the clock at start-up and again by the tip dialog.
std::mt19937& ProgramRandom();
void SeedProgramRandom();
