#include "app/RecentDocuments.h"

#include <algorithm>

namespace {
constexpr const char* kSection = "Opened Documents";
std::string Ident(int i) { return "Document" + std::to_string(i); }
}  // namespace

TRecentDocuments::List TRecentDocuments::Read() const {
  List list;
  for (int i = 0; i < MaxOpenedDocuments; ++i) list[i] = settings_.ReadString(kSection, Ident(i + 1), "");
  return list;
}

bool TRecentDocuments::Add(const std::string& name) {
  const List list = Read();
  if (std::find(list.begin(), list.end(), name) != list.end()) return false;
  for (int i = MaxOpenedDocuments; i >= 2; --i) settings_.WriteString(kSection, Ident(i), list[i - 2]);
  settings_.WriteString(kSection, Ident(1), name);
  return true;
}
