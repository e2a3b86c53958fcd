#include "app/LangTable.h"

namespace {

int g_interfaceLanguage = 2;

}  // namespace

int InterfaceLanguage() { return g_interfaceLanguage; }

void SetInterfaceLanguage(int language) { g_interfaceLanguage = language; }

std::string LangText(int id, int language) {
  if (language < 1 || language > 2) language = 1;
  if (id < 1 || id >= kLangIdCount) id = 0;
  return std::string(LangTable[static_cast<std::size_t>(2 * id + language - 1)]);
}

std::string LangCaption(const std::string& text) {
  if (text.size() < 2 || text[0] != '#') return text;
  const std::size_t close = text.find('#', 1);
  if (close == std::string::npos || close == 1) return text;
  int id = 0;
  for (std::size_t i = 1; i < close; ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return text;
    // Any id past the table gives the fallback text; stop counting before an int could overflow.
    if (id < kLangIdCount) id = id * 10 + (c - '0');
  }
  return LangText(id, InterfaceLanguage());
}
