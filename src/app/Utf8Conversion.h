#pragma once
#include <string>
#include <string_view>

#include "app/TUtf8Memory.h"

// The program's limited UTF-8 support: the Polish letters become their Windows-1250 bytes, and other
// characters travel as their raw bytes, remembered so that they are written back unchanged.

// Replaces the UTF-8 form of every Polish letter by its Windows-1250 byte. Other well-formed multi-byte
// sequences stay as their bytes and, when `memory` is given, are remembered (the memory is rebuilt);
// malformed bytes stay as they are.
std::string Utf8ToWin(std::string_view text, TUtf8Memory* memory = nullptr);

// The UTF-8 form of Windows-1250 text: a sequence `memory` remembers is copied as it stands, every
// other byte above 127 becomes the UTF-8 form of its Windows-1250 character. The result is always
// well-formed UTF-8.
std::string WinToUtf8(std::string_view text, const TUtf8Memory& memory = {});

// True when the text is well-formed UTF-8 and holds a multi-byte sequence that is not also a run of
// Windows-1250 Polish letters ("DÓŁ" written in Windows-1250 is well-formed UTF-8 too).
bool LooksLikeUtf8(std::string_view text);
