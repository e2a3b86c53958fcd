#pragma once
#include <string>

#include "platform/Color.h"

// A colour 0x00BBGGRR as six upper-case hexadecimal digits in the order RR GG BB, as HTML writes it.
std::string ColorToHtml(TColor color);
