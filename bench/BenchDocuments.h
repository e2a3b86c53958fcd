#pragma once
#include <cstddef>
#include <random>
#include <string>

// Generated documents for the benchmarks: realistic line lengths and markup, deterministic content.
inline std::string MakeHtmlDocument(std::size_t bytes) {
  std::mt19937 rng(1);
  static const char* const words[] = {"za\xBF\xF3\xB3\xE6", "g\xEA\x9Cl\xB9", "ja\x9F\xF1", "the", "quick", "brown", "fox", "jumps",
                                       "over", "lazy", "dog", "lorem", "ipsum", "dolor", "sit", "amet"};
  std::string doc = "<html>\r\n<head><title>Benchmark</title></head>\r\n<body>\r\n";
  doc.reserve(bytes + 256);
  while (doc.size() < bytes) {
    switch (rng() % 6) {
      case 0: doc += "<p class=\"text\" id=p" + std::to_string(rng() % 1000) + ">"; break;
      case 1: doc += "  <a href=\"http://example.org/page.html\">"; break;
      case 2: doc += "<!-- comment --> "; break;
      case 3: doc += "<?php echo $value . \"x\"; ?> "; break;
      default: break;
    }
    const int n = 4 + static_cast<int>(rng() % 10);
    for (int i = 0; i < n; ++i) {
      doc += words[rng() % 16];
      doc += ' ';
    }
    doc += "</p>\r\n";
  }
  doc += "</body>\r\n</html>";
  return doc;
}
