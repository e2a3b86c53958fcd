#pragma once
#include <string>
#include <string_view>

// The code page a file's bytes are most probably written in, from the Polish letters they hold: one of
// "windows-1250", "iso-8859-2", "mazovia", "cp852", "amigapl", "utf-8". Without any letter (or on a
// tie between the two leading candidates) the answer is "windows-1250".
std::string DetectCodePage(std::string_view text);
