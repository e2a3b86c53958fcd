// Sets the interface language for one scope and puts the old one back, so no test leaves another
// test a language it did not choose.
#pragma once
#include "app/LangTable.h"

class ScopedLanguage {
public:
  explicit ScopedLanguage(int language) : old_(InterfaceLanguage()) { SetInterfaceLanguage(language); }
  ScopedLanguage(const ScopedLanguage&) = delete;
  ScopedLanguage& operator=(const ScopedLanguage&) = delete;
  ~ScopedLanguage() { SetInterfaceLanguage(old_); }

private:
  int old_;
};
