#pragma once
#include <optional>
#include <string>
#include <string_view>

// Reading and writing document files as plain bytes. Paths use "/".

struct TFileRead {
  enum class Status { Ok, Missing, Error };
  Status status = Status::Ok;
  std::string bytes;
};

// The whole file. A name that does not exist is Missing; a folder, a file without read permission or
// any failing read is Error (and the bytes are empty).
TFileRead ReadFileBytes(const std::string& path);

// Makes a bare CR or a bare LF into CR LF. The first and the last byte are left for the editor's own
// normalisation, which treats them the same way.
std::string NormalizeLineEnds(std::string_view bytes);

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
