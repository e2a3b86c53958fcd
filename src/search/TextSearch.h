#pragma once
#include <cstddef>
#include <string_view>

// Plain text search over Windows-1250 text. Without matchCase both sides compare through the code
// page's case table, so Polish capitals match their small letters. An empty needle never matches.

// The 0-based position of the first occurrence that begins at or after `from`; npos when there is none.
std::size_t SearchForward(std::string_view text, std::string_view needle, std::size_t from, bool matchCase);

// The 0-based position of the last occurrence that ends at or before `before` (a caret offset), however
// far back; npos when there is none or `before` lies beyond the text.
std::size_t SearchBackward(std::string_view text, std::string_view needle, std::size_t before, bool matchCase);
