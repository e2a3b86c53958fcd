#pragma once
#include <cstdint>

#include "editor/EnumSet.h"

// The editor's enumerated sets: which highlighter to use and which typing aids are on.
enum TColorStyleItem { csHTML, csCSS, csPlain, csVB, csBatch, csNone, csC, csMFIle, csPerl, csPhp, csPascal };
using TColorStyle = EnumSet<TColorStyleItem, std::uint16_t>;

enum TAutoCloseItem {
  acBracket, acDoubleQuote, acSingleQuote, acTriangleBracket, acRectangleBracket, acCBracket
};
using TAutoClose = EnumSet<TAutoCloseItem, std::uint8_t>;

enum TAutoFollowItem { afLI, afTD, afOPTION };
using TAutoFollow = EnumSet<TAutoFollowItem, std::uint8_t>;

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
