#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "editor/EditorTypes.h"

// The steps between a file's bytes and the editor's text, free of any window or editor: choosing the
// code page, converting, the clean-up on saving and the highlighter a file name asks for.

// Written into the "Generator" meta tag of every HTML document that is opened.
inline constexpr std::string_view GeneratorString = "Norvale Quillpad 2025";

// The program's text made from a file's bytes (line ends already CR LF).
struct TDecodedDocument {
  std::string text;
  std::string codePage;  // the charset of the meta tag, else the forced or detected code page
  std::u32string marks;  // the characters of a UTF-8 file that Windows-1250 cannot hold (editor/ForeignMarks.h)
  // False when the text holds no "<meta" at all (decoding keeps ASCII as it is, so the bytes tell): the
  // generator tag then goes in without a second search of the whole text.
  bool metaTags = true;
};

// Opening: with recognizeCharSet, escaped letters (%B1, =B1) are decoded first. The code page is the
// document's content-type charset, else `forcedCodePage`, else the one detected from the bytes.
TDecodedDocument DecodeDocument(std::string_view bytes, bool recognizeCharSet,
                                const std::optional<std::string>& forcedCodePage);
// The same, taking the bytes over: they become the text where they lie, so a large file is not held twice.
TDecodedDocument DecodeOwnedDocument(std::string&& bytes, bool recognizeCharSet,
                                     const std::optional<std::string>& forcedCodePage);

// Saving: the text's own content-type charset, else the document's code page, else the default.
std::string SaveCodePage(std::string_view text, std::string_view documentCodePage,
                         std::string_view defaultCodePage);
std::string EncodeDocument(std::string_view text, std::string_view codePage, std::u32string_view marks);

// True when the text holds "<html>" in any case.
bool IsHtmlText(std::string_view text);

std::string RemoveCarriageReturns(std::string_view text);

// Removes the blanks before every line end and at the end of the text.
std::string RemoveTrailingBlanks(std::string_view text);
// The clean-up on saving: RemoveTrailingBlanks, then every empty line at the end of the text goes,
// together with the last line end.
std::string OptimizeText(std::string_view text);

// The highlighter a file's extension asks for, or nothing (the current one stays): .ht*, .xml HTML;
// .php PHP; .pl Perl; .pas Pascal; .css CSS; .c, .cpp, .h (and .hpp) C++.
std::optional<TColorStyle> ColorStyleForFile(std::string_view fileName);
