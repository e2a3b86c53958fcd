#pragma once
#include <cstdint>

// The 16-bit flag set a highlighter uses both as its scanner state and as the attributes of a token.
// 0 never appears as a token attribute; in a line's stored start state it means "unknown".
using TTokenFlags = std::uint16_t;

constexpr TTokenFlags tfText = 0x0002;        // ordinary text or code
constexpr TTokenFlags tfShortParam = 0x0004;  // unquoted attribute value; value assigned to a variable
constexpr TTokenFlags tfLongParam = 0x0008;   // double-quoted value or string
constexpr TTokenFlags tfLongParam1 = 0x0010;  // single-quoted value or string
constexpr TTokenFlags tfComment = 0x0020;
constexpr TTokenFlags tfComment2 = 0x0040;    // "<!" declaration, line comment
constexpr TTokenFlags tfTag = 0x0080;         // HTML tag; a variable in script code
constexpr TTokenFlags tfSelected = 0x0100;    // inside the editor's selection
constexpr TTokenFlags tfKeyword = 0x0200;
constexpr TTokenFlags tfOperator = 0x1000;
constexpr TTokenFlags tfScript = 0x2000;      // inside PHP code embedded in HTML
constexpr TTokenFlags tfMisspelled = 0x4000;  // word rejected by the word check

// Token kinds.
constexpr std::uint8_t tkURL = 4;  // the token begins with "http://" in any case
