#pragma once
#include <string>
#include <string_view>

// Upper and lower case of Windows-1250 text, so that Polish, Czech and the other Central European
// letters convert along with A-Z. Bytes without a case partner in the code page (digits, signs, ß, µ)
// are returned unchanged.
char Win1250Upper(char c);
char Win1250Lower(char c);
std::string Win1250Upper(std::string_view text);
std::string Win1250Lower(std::string_view text);

// Position of the first occurrence of needle in text at or after `from`, ignoring case; npos if none.
std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from = 0);
