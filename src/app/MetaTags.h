#pragma once
#include <string>
#include <string_view>

// Reading and writing the attributes of HTML tags and the <meta> tags of a document. Names and values
// are matched without regard to case; the text keeps its own spelling.

// The value of an attribute of one tag: the quoted or unquoted value, "True" for an attribute written
// without a value, or empty when the tag does not have it. An attribute counts only when a blank or a
// semicolon stands before its name ("charset" inside "text/html;charset=..." is found too) and the name
// ends there. Only double quotes delimit a value.
std::string GetTagAttribute(std::string_view tag, std::string_view name);

// The "content" of the first <meta> tag whose "http-equiv" or "name" equals mname, or empty.
std::string GetMetaContent(std::string_view text, std::string_view mname);

// The charset named by the document's content-type meta tag, in lower case, or empty.
std::string MetaCharset(std::string_view text);

// The text of a new meta tag: <meta kind="mname" content="content">.
std::string MetaTagText(std::string_view kind, std::string_view mname, std::string_view content);

// Replaces the meta tag of that kind and name, or adds one after the last meta tag, or, in a document
// without meta tags, after <head> (adding <html>, <head> and <body> where they are missing).
// kind is "http-equiv" or "name".
// The text is taken by value so that a caller done with it can move it in and have it edited in place.
std::string SetMetaTag(std::string text, std::string_view kind, std::string_view mname,
                       std::string_view content);

// SetMetaTag for a text known to hold no "<meta": the tag goes after <head>, without a search for others.
std::string AddFirstMetaTag(std::string text, std::string_view kind, std::string_view mname, std::string_view content);
