#pragma once
#include <memory>

#include "editor/EditorTypes.h"
#include "highlight/THighLighter.h"

// The highlighter for the editor's PlainText and ColorStyle: plain text when PlainText is set, otherwise
// the first of HTML, Perl, PHP, Pascal, C++ and CSS found in the style, and plain text when none is.
std::unique_ptr<THighLighter> CreateHighlighter(bool plainText, TColorStyle style);
