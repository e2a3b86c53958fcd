// The guess of a file's code page where a wrong guess is easy to make: letters of one code page that
// look like UTF-8 lead bytes, and ties between two code pages.
#include <gtest/gtest.h>

#include "app/CodePageDetection.h"

TEST(CodePageDetection, LeadBytesThatAreLettersAndTies) {
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
      // Ó of Windows-1250 is a UTF-8 lead byte; followed by no continuation byte it starts no character.
      {"\xD3\xE6 ab", "windows-1250"},
      {"\xD3 x", "windows-1250"},
      {"D\xD3\xA3 I KOPIEC", "windows-1250"},  // Windows-1250 capitals that happen to be well-formed UTF-8
      {"\xB9\xE6 \xD3 \xC2\xA9", "windows-1250"},  // a UTF-8 text is well-formed throughout, not only at its ©
      // A1 is a capital in ISO-8859-2 (Ą) and in Mazovia (Ż): a tie between two pages that are not
      // Windows-1250 still gives Windows-1250.
      {"\xA1 x", "windows-1250"},
      {"\xA1\xB1 x", "iso-8859-2"},  // ą of ISO-8859-2 breaks the tie
      // One UTF-8 Polish letter decides even in a text that is not well-formed; a lone lead byte does not.
      {"\xB9\xFF abc \xC5\x82", "utf-8"},
      {"\xC5 \xB9\xFF", "windows-1250"},
  };
  for (const auto& c : cases) EXPECT_EQ(DetectCodePage(c.text), c.expected) << c.text;
}
