#include "app/MetaTags.h"

#include <algorithm>
#include <functional>

#include "app/Win1250Case.h"

namespace {

constexpr std::string_view kCrLf = "\r\n";

bool EndsName(char c) { return c == ' ' || c == '=' || c == '>' || c == '/'; }

// Calls visit(begin, end, closed) for every <meta tag in order; visit returns false to stop. A tag runs
// to its ">"; when another "<" or the end of the text comes first, the tag was never closed and runs only
// up to that "<". So an unclosed tag never swallows the tags after it, nor any text the program puts there.
void ForEachMetaTag(std::string_view text, const std::function<bool(std::size_t, std::size_t, bool)>& visit) {
  std::size_t pos = 0;
  while (true) {
    const std::size_t begin = FindNoCase(text, "<meta", pos);
    if (begin == std::string_view::npos) return;
    const std::size_t stop = text.find_first_of("<>", begin + 1);
    const bool closed = stop != std::string_view::npos && text[stop] == '>';
    const std::size_t end = closed ? stop + 1 : std::min(stop, text.size());
    if (!visit(begin, end, closed)) return;
    pos = end;
  }
}

bool MetaNamed(std::string_view tag, std::string_view attribute, std::string_view lowerName) {
  return Win1250Lower(GetTagAttribute(tag, attribute)) == lowerName;
}

}  // namespace

std::string GetTagAttribute(std::string_view tag, std::string_view name) {
  std::string t(tag);
  for (char& c : t)
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
  const std::string lt = Win1250Lower(t);
  const std::string ln = Win1250Lower(name);
  if (ln.empty()) return {};
  // The first occurrence that stands after a blank or a semicolon and is not the start of a longer name.
  std::size_t p = std::string::npos;
  for (std::size_t from = 1; (p = lt.find(ln, from)) != std::string::npos; from = p + 1) {
    const bool startsName = lt[p - 1] == ' ' || lt[p - 1] == ';';
    const std::size_t after = p + ln.size();
    if (startsName && (after == lt.size() || EndsName(lt[after]))) break;
  }
  if (p == std::string::npos) return {};
  std::size_t r = p + ln.size();
  while (r < t.size() && t[r] == ' ') ++r;
  if (r >= t.size() || t[r] != '=') return "True";
  ++r;
  while (r < t.size() && t[r] == ' ') ++r;
  if (r < t.size() && t[r] == '"') {
    const std::size_t close = t.find('"', r + 1);
    return t.substr(r + 1, close == std::string::npos ? std::string::npos : close - r - 1);
  }
  std::size_t e = r;
  while (e < t.size() && t[e] != ' ' && t[e] != '>') ++e;
  return t.substr(r, e - r);
}

std::string GetMetaContent(std::string_view text, std::string_view mname) {
  const std::string lm = Win1250Lower(mname);
  if (lm.empty()) return {};
  std::string content;
  ForEachMetaTag(text, [&](std::size_t begin, std::size_t end, bool) {
    const std::string_view tag = text.substr(begin, end - begin);
    if (!MetaNamed(tag, "http-equiv", lm) && !MetaNamed(tag, "name", lm)) return true;
    content = GetTagAttribute(tag, "content");
    return false;
  });
  return content;
}

std::string MetaCharset(std::string_view text) {
  return Win1250Lower(GetTagAttribute(GetMetaContent(text, "content-type"), "charset"));
}

std::string MetaTagText(std::string_view kind, std::string_view mname, std::string_view content) {
  std::string s = "<meta ";
  s.append(kind).append("=\"").append(mname).append("\" content=\"").append(content).append("\">");
  return s;
}

std::string SetMetaTag(std::string text, std::string_view kind, std::string_view mname,
                       std::string_view content) {
  const std::string lk = Win1250Lower(kind);
  const std::string lm = Win1250Lower(mname);
  std::string s = std::move(text);

  bool replaced = false;
  std::size_t lastEnd = std::string::npos;
  ForEachMetaTag(s, [&](std::size_t begin, std::size_t end, bool closed) {
    const std::string_view tag = std::string_view(s).substr(begin, end - begin);
    for (std::string_view k : {std::string_view("http-equiv"), std::string_view("name")}) {
      if (lk == k && MetaNamed(tag, k, lm)) {
        // An unclosed tag may run over the author's own text, so it is kept and the new tag goes
        // before it, where it is found first from then on.
        if (closed)
          s.replace(begin, end - begin, MetaTagText(k, mname, content));
        else
          s.insert(begin, MetaTagText(k, mname, content) + std::string(kCrLf));
        replaced = true;
        return false;
      }
    }
    lastEnd = end;
    return true;
  });
  if (replaced) return s;
  if (lastEnd != std::string::npos) {
    s.insert(lastEnd, std::string(kCrLf) + MetaTagText(kind, mname, content));
    return s;
  }
  return AddFirstMetaTag(std::move(s), kind, mname, content);
}

std::string AddFirstMetaTag(std::string text, std::string_view kind, std::string_view mname, std::string_view content) {
  std::string s = std::move(text);
  // No meta tag at all: make sure there is an <html> with a <head> to put one in.
  if (FindNoCase(s, "<html>") == std::string::npos) s = "<html>" + std::string(kCrLf) + s + std::string(kCrLf) + "</html>";
  const std::size_t html = FindNoCase(s, "<html>");
  const std::size_t afterHtml = html + 6;
  const bool hasBody = FindNoCase(s, "<body") != std::string::npos;
  const bool hasHead = FindNoCase(s, "<head>") != std::string::npos;
  if (!hasBody && !hasHead) {
    const std::size_t closeHtml = FindNoCase(s, "</html>", afterHtml);
    if (closeHtml == std::string::npos)
      s.append(std::string(kCrLf) + "</body>");
    else
      s.insert(closeHtml, "</body>" + std::string(kCrLf));
    s.insert(afterHtml, "\r\n<head>\r\n</head>\r\n<body>");
  } else if (hasBody && !hasHead) {
    s.insert(afterHtml, "\r\n<head>\r\n");
    std::size_t body = FindNoCase(s, "<body", afterHtml);
    if (body == std::string::npos) body = FindNoCase(s, "<body");
    s.insert(body, "\r\n</head>\r\n");
  }
  // A document with <head> but no <body> gets nothing but the new tag: adding a body there would put
  // whatever follows the head's end in doubt.
  const std::size_t head = FindNoCase(s, "<head>");
  s.insert(head + 6, std::string(kCrLf) + " " + MetaTagText(Win1250Upper(kind), mname, content));
  return s;
}
