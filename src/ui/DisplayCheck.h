#pragma once
#include <optional>
#include <string>

// Qt aborts with a long message when it finds no display. The program checks first and says in one
// line what it needs: the message to print, or nothing when a display (or a chosen Qt platform) is set.
std::optional<std::string> MissingDisplayMessage();
