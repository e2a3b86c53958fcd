#pragma once
#include "highlight/TokenFlags.h"
#include "platform/Color.h"

// The editor's colour properties that token colouring uses: a text and a background colour per token
// class, and the editor's own background (Window, the editor's Color).
struct HighlightColors {
  TColor Window = 0;
  TColor Text = 0;
  TColor BackgroundText = 0;
  TColor Tag = 0;
  TColor BackgroundTag = 0;
  TColor LongParam = 0;
  TColor BackgroundLongParam = 0;
  TColor ShortParam = 0;
  TColor BackgroundShortParam = 0;
  TColor Keyword = 0;
  TColor BackgroundKeyword = 0;
  TColor Comment = 0;
  TColor BackgroundComment = 0;
  TColor Operator = 0;
  TColor BackgroundOperator = 0;
  TColor PHPVariable = 0;
  TColor BackgroundPHPVariable = 0;
  TColor PHPParameter = 0;
  TColor BackgroundPHPParameter = 0;
};

struct ColorPair {
  TColor text = 0;
  TColor background = 0;
  bool operator==(const ColorPair&) const = default;
};

// The colours of a token with attributes a. The first matching class wins: selection (drawn inverted),
// the two embedded-script classes, text, tag, strings, unquoted values, comments, keywords, operators.
// A token of none of these keeps the text colour of the token before it on the window background.
ColorPair ColorsForAttributes(TTokenFlags a, const HighlightColors& c, TColor previousText);
