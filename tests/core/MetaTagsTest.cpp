#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "app/MetaTags.h"

TEST(MetaTags, GetTagAttribute) {
  const struct { const char* tag; const char* name; const char* value; } cases[] = {
      {"<a href=\"x.html\" target=_top>", "HREF", "x.html"},
      {"<a href=\"x.html\" target=_top>", "target", "_top"},
      {"<a HREF=x.html>", "href", "x.html"},
      {"<input checked name=x>", "checked", "True"},
      {"<input name=x checked>", "checked", "True"},
      {"<a href = \"y\">", "href", "y"},
      {"<a\thref=\"a\r\nb\">", "href", "a  b"},
      {"<a hreflang=pl href=\"z\">", "href", "z"},   // a longer name that starts the same is not it
      {"<a xhref=1>", "href", ""},
      {"<a href='q'>", "href", "'q'"},               // single quotes are not delimiters
      {"<a href=\"open", "href", "open"},            // the tag ends first
      {"text/html; charset=ISO-8859-2", "charset", "ISO-8859-2"},
      {"text/html;CHARSET=ISO-8859-2", "charset", "ISO-8859-2"},
      {"text/html", "charset", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(GetTagAttribute(c.tag, c.name), c.value) << c.tag;
}

TEST(MetaTags, MetaCharsetAndContent) {
  const std::pair<const char*, const char*> cases[] = {
      {"<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=ISO-8859-2\">", "iso-8859-2"},
      {"<meta http-equiv=content-type content=\"text/html;CHARSET=Windows-1250\">", "windows-1250"},
      {"<meta name=\"x\" content=\"y\">\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">",
       "utf-8"},
      {"<meta http-equiv=\"Content-Type\" content=\"text/html\">", ""},
      {"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\"", "utf-8"},  // no ">"
      {"<html><body>no meta</body></html>", ""},
  };
  for (const auto& [text, charset] : cases) EXPECT_EQ(MetaCharset(text), charset) << text;
  EXPECT_EQ(GetMetaContent("<meta name=\"Author\" content=\"Jan\">", "author"), "Jan");
  EXPECT_EQ(GetMetaContent("<meta content=\"Jan\">", ""), "");
}

TEST(MetaTags, SetMetaTag) {
  struct Case { const char* text; const char* kind; std::string expected; };
  const std::string tag = "<meta http-equiv=\"Generator\" content=\"Q 1\">";
  const std::string upper = "<meta HTTP-EQUIV=\"Generator\" content=\"Q 1\">";
  const Case cases[] = {
      {"word", "http-equiv",
       "<html>\r\n<head>\r\n " + upper + "\r\n</head>\r\n<body>\r\nword\r\n</body>\r\n</html>"},
      {"<HTML><BODY>x</BODY></HTML>", "http-equiv",
       "<HTML>\r\n<head>\r\n " + upper + "\r\n\r\n</head>\r\n<BODY>x</BODY></HTML>"},
      {"<html><head><title>t</title></head>x</html>", "http-equiv",
       "<html><head>\r\n " + upper + "<title>t</title></head>x</html>"},
      {"<html><head></head><body></body></html>", "http-equiv",
       "<html><head>\r\n " + upper + "</head><body></body></html>"},
      {"<head><META http-equiv='x' content=y>\r\n<meta Http-Equiv=GENERATOR content=old lang=pl>b", "http-equiv",
       "<head><META http-equiv='x' content=y>\r\n" + tag + "b"},
      {"<meta name=\"Generator\" content=\"old\"><p>", "http-equiv",
       "<meta name=\"Generator\" content=\"old\">\r\n" + tag + "<p>"},
      {"<meta name=\"generator\" content=\"old\"><p>", "name",
       "<meta name=\"Generator\" content=\"Q 1\"><p>"},
  };
  for (const Case& c : cases) EXPECT_EQ(SetMetaTag(c.text, c.kind, "Generator", "Q 1"), c.expected) << c.text;
}

// A tag without ">" ends at the next "<": it neither swallows the tags after it nor, when it matches,
// takes the author's text after it along when it is replaced.
TEST(MetaTags, UnclosedTagsKeepWhatFollowsThem) {
  const std::string tag = "<meta http-equiv=\"Generator\" content=\"Q 1\">";
  const std::pair<std::string, std::string> cases[] = {
      {"<html><meta name=x", "<html><meta name=x\r\n" + tag},
      {"<html><meta name=x\r\n<meta http-equiv=\"Generator\" content=\"old\">", "<html><meta name=x\r\n" + tag},
      {"<meta http-equiv=Generator content=old\r\nHello <b>", tag + "\r\n<meta http-equiv=Generator content=old\r\nHello <b>"},
  };
  for (const auto& [text, expected] : cases) {
    const std::string once = SetMetaTag(text, "http-equiv", "Generator", "Q 1");
    EXPECT_EQ(once, expected) << text;
    EXPECT_EQ(SetMetaTag(once, "http-equiv", "Generator", "Q 1"), once) << text;
  }
  EXPECT_EQ(GetMetaContent("<meta name=a content=1 <meta name=b content=2>", "b"), "2");
}
