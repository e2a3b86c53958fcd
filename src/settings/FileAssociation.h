#pragma once
#include <filesystem>
#include <stdexcept>
#include <string>

// The folders where the desktop keeps a user's own file-type choices: $XDG_CONFIG_HOME (mimeapps.list)
// and $XDG_DATA_HOME (applications/). An unset, empty or relative variable means the XDG default under
// $HOME, as the XDG convention says.
struct XdgHomes {
  std::filesystem::path ConfigHome;
  std::filesystem::path DataHome;
  static XdgHomes FromEnvironment();
};

class AssociationError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Makes Quillpad an editor of HTML files ("htmlfile", "htm": text/html) and text files ("txtfile",
// "txt": text/plain) of the desktop: a "quillpad.desktop" entry that starts the program with the file,
// and the entry's name on the type's line of "[Added Associations]" in mimeapps.list. Added last on an
// existing line, so a program the user already prefers keeps its place.
//
// Only what we add is ever taken out: other programs on the same line, other lines, groups, comments
// and line ends stay byte for byte; a line, a trailing group or a file that held nothing but our entry
// goes away with it. (A last line without a line end gets one when something is added after it.) The desktop entry is ours (it carries a marker) and is removed when no type is left.
class FileAssociation {
public:
  FileAssociation(XdgHomes homes, std::string programPath);

  // Whether our entry is on the type's line. Reads only; a missing or unreadable file means no.
  bool IsAssociated(const std::string& fileType) const;
  // Adds or removes the association of a type; the extension names it when the type is not known.
  // Throws AssociationError naming the file that could not be written (a read-only mimeapps.list is
  // left as it is); an unknown type and extension change nothing.
  void SetAssociation(const std::string& fileType, const std::string& ext, bool on);

  std::filesystem::path MimeAppsPath() const { return homes_.ConfigHome / "mimeapps.list"; }
  std::filesystem::path DesktopFilePath() const { return homes_.DataHome / "applications" / kDesktopId; }
  // The text of our desktop entry for the program path; its Exec line quotes the path as the desktop
  // entry format asks, so a path with blanks or "$" starts the right program.
  static std::string DesktopEntry(const std::string& programPath);

  static constexpr const char* kDesktopId = "quillpad.desktop";

private:
  XdgHomes homes_;
  std::string programPath_;
};
