#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Reading and writing document files as plain bytes. Paths use "/".

struct TFileRead {
  // NotRegular: a folder, a device, a pipe or a socket; TooLarge: more than the memory allows.
  enum class Status { Ok, Missing, Error, NotRegular, TooLarge };
  Status status = Status::Ok;
  std::string bytes;
};

// The largest file that is read: the program holds a document several times over while it converts and
// shows it, so a file may take a quarter of the machine's memory.
std::uint64_t MaxReadableFileSize();

// The whole file. Only regular files are read: anything else is NotRegular and is never opened, so a
// pipe cannot block and /dev/zero cannot fill the memory. A name that does not exist is Missing; a file
// larger than maxBytes (or than the memory left) is TooLarge; a file without read permission or any
// failing read is Error. The bytes are empty unless the status is Ok.
TFileRead ReadFileBytes(const std::string& path, std::uint64_t maxBytes = MaxReadableFileSize());

// Makes a bare CR or a bare LF into CR LF. The first and the last byte are left for the editor's own
// normalisation, which treats them the same way.
std::string NormalizeLineEnds(std::string_view bytes);
// The same on a text the caller owns: one that needs no change (a CR LF file) is left as it is, uncopied.
void NormalizeLineEndsInPlace(std::string& bytes);

// The extension of a file name, dot included, from the last "." after the last "/"; empty if none.
std::string FileExtension(std::string_view name);
// The name without its extension.
std::string WithoutExtension(std::string_view name);
// The folder part with its trailing "/", or empty.
std::string FolderOf(std::string_view name);

// Creates every missing folder on the way to the file's folder; failures are left to the write.
void EnsureFolderExists(const std::string& path);

struct TWriteOptions {
  // Keep the old contents as `backupPath` when the target exists (the backup is replaced only once the
  // new contents are in place).
  std::optional<std::string> backupPath;
};

// Writes bytes as the file's new contents without ever leaving a half-written or missing file: the bytes
// go to a temporary file in the same folder, which is flushed to disk and then renamed over the target.
// An existing file keeps its permission bits; a symbolic link stays a link and the file it names gets the
// new contents. Returns false when anything failed, and then the target and the backup are as they were.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, const TWriteOptions& options = {});
