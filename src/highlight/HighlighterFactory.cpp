#include "highlight/HighlighterFactory.h"

#include "highlight/TTextHighLight.h"

std::unique_ptr<THighLighter> CreateHighlighter(bool plainText, TColorStyle style) {
  (void)plainText;
  (void)style;
  return std::make_unique<TTextHighLight>();
}
