#include "app/MainWindowLogic.h"

#include <array>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

std::string JoinCommandLine(const std::vector<std::string>& arguments) {
  std::string joined;
  for (const std::string& a : arguments) {
    joined += ' ';
    joined += a;
  }
  const auto first = joined.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = joined.find_last_not_of(' ');
  return joined.substr(first, last - first + 1);
}

bool PassesTextFileTest(const std::string& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (!fs::exists(status)) return true;
  if (fs::is_directory(status)) return false;
  // A pipe or a device is never read here (a pipe would block); the open operation refuses it.
  if (!fs::is_regular_file(status)) return true;
  std::ifstream in(path, std::ios::binary);
  // A file that exists but cannot be read is left to the open operation, which reports the error.
  if (!in) return true;
  std::array<char, 512> head{};
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  const auto got = static_cast<std::size_t>(in.gcount());
  for (std::size_t i = 0; i < got; ++i) {
    const auto b = static_cast<unsigned char>(head[i]);
    if ((b >= 1 && b <= 7) || b == 11 || b == 12 || (b >= 14 && b <= 26)) return false;
  }
  return true;
}

EscAction EscActionFor(int escKeySetting) {
  switch (escKeySetting) {
    case 1: return EscAction::Exit;
    case 2: return EscAction::Minimize;
    default: return EscAction::None;
  }
}

std::string DocumentCaption(const std::string& fileName, const std::string& codePage) {
  // A new document saved for the first time has no code page of its own yet.
  if (codePage.empty()) return std::string(AppCaption) + " - " + fileName;
  return std::string(AppCaption) + " - " + fileName + " (" + codePage + ")";
}

std::string OpenFailedMessage(const std::string& target, int language) {
  if (language == 1) return "Nie można otworzyć: " + target + "\nNie znaleziono programu, który to otwiera.";
  return "Could not open: " + target + "\nNo program was found to open it.";
}

std::optional<std::string> ApplicationTitleFor(const std::string& fileName) {
  // Both separators count, so names that came from elsewhere still lose their folder.
  const auto slash = fileName.find_last_of("/\\");
  std::string base = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
  if (base.empty()) return std::nullopt;
  return std::string(AppTitlePrefix) + base;
}

std::optional<HighlighterItem> HighlighterItemFor(TColorStyle style, bool plainText) {
  std::optional<HighlighterItem> checked;
  constexpr std::array<std::pair<TColorStyleItem, HighlighterItem>, 6> order{{
      {csHTML, HighlighterItem::Html}, {csPerl, HighlighterItem::Perl}, {csPhp, HighlighterItem::Php},
      {csPascal, HighlighterItem::Pascal}, {csC, HighlighterItem::Cpp}, {csCSS, HighlighterItem::Css}}};
  for (const auto& [member, item] : order)
    if (style.Has(member)) checked = item;
  if (plainText) checked = HighlighterItem::None;
  return checked;
}

std::vector<std::string> HelpFileCandidates(const std::string& programDir, const std::vector<std::string>& dataDirs) {
  const fs::path dir(programDir);
  std::vector<std::string> candidates{(dir / "quillpad.html").string(), (dir / "Help" / "index.html").string(),
                                      (dir / "help" / "index.html").string()};
  for (const std::string& d : dataDirs) candidates.push_back((fs::path(d) / "help" / "index.html").string());
  return candidates;
}

std::optional<std::string> FindHelpFile(const std::vector<std::string>& candidates) {
  for (const std::string& c : candidates) {
    std::error_code ec;
    if (fs::is_regular_file(c, ec)) return c;
  }
  return std::nullopt;
}
