#include "app/DocumentText.h"

#include "app/CodePageDetection.h"
#include "app/CodePages.h"
#include "app/MetaTags.h"
#include "app/TextFiles.h"
#include "app/Win1250Case.h"

TDecodedDocument DecodeDocument(std::string_view bytes, bool recognizeCharSet,
                                const std::optional<std::string>& forcedCodePage) {
  return DecodeOwnedDocument(std::string(bytes), recognizeCharSet, forcedCodePage);
}

TDecodedDocument DecodeOwnedDocument(std::string&& bytes, bool recognizeCharSet,
                                     const std::optional<std::string>& forcedCodePage) {
  TDecodedDocument doc;
  if (recognizeCharSet) bytes = DecodeEscapedLetters(bytes);
  doc.metaTags = FindNoCase(bytes, "<meta") != std::string::npos;
  if (doc.metaTags) doc.codePage = MetaCharset(bytes);
  if (doc.codePage.empty()) doc.codePage = forcedCodePage ? *forcedCodePage : DetectCodePage(bytes);
  DecodeFromCodePageInPlace(bytes, doc.codePage, doc.marks);
  doc.text = std::move(bytes);
  return doc;
}

std::string SaveCodePage(std::string_view text, std::string_view documentCodePage,
                         std::string_view defaultCodePage) {
  std::string cp = MetaCharset(text);
  if (cp.empty()) cp = documentCodePage;
  if (cp.empty()) cp = defaultCodePage;
  return cp;
}

std::string EncodeDocument(std::string_view text, std::string_view codePage, std::u32string_view marks) {
  return ConvertCodePage(text, "win-1250", codePage, marks);
}

bool IsHtmlText(std::string_view text) { return FindNoCase(text, "<html>") != std::string_view::npos; }

std::string RemoveCarriageReturns(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != '\r') out.push_back(c);
  return out;
}

std::string RemoveTrailingBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t blanks = 0;  // blanks seen but not yet written
  for (char c : text) {
    if (c == ' ') {
      ++blanks;
      continue;
    }
    if (c != '\r') out.append(blanks, ' ');
    blanks = 0;
    out.push_back(c);
  }
  return out;
}

std::string OptimizeText(std::string_view text) {
  std::string out = RemoveTrailingBlanks(text);
  while (out.size() > 2 && out.ends_with("\r\n")) out.resize(out.size() - 2);
  return out;
}

std::optional<TColorStyle> ColorStyleForFile(std::string_view fileName) {
  const std::string ext = Win1250Lower(FileExtension(fileName));
  const auto has = [&ext](std::string_view part) { return ext.find(part) != std::string::npos; };
  if (has(".ht") || has(".xml")) return TColorStyle{csHTML};
  if (has(".php")) return TColorStyle{csPhp};
  if (has(".pl")) return TColorStyle{csPerl};
  if (has(".pas")) return TColorStyle{csPascal};
  if (has(".css")) return TColorStyle{csCSS};
  if (has(".c") || has(".h")) return TColorStyle{csC};
  return std::nullopt;
}
