#include "settings/IniFileBackend.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "settings/IniDocument.h"

namespace fs = std::filesystem;

namespace {

// Owns a file descriptor; closing it also releases an flock taken through it.
class UniqueFd {
public:
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd() { Close(); }
  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  // Reports the error of close, which for a written file can be the first sign of a failed write.
  bool Close() {
    if (fd_ < 0) return true;
    const int rc = ::close(fd_);
    fd_ = -1;
    return rc == 0;
  }

private:
  int fd_;
};

int OpenFile(const fs::path& path, int flags, mode_t mode = 0666) {
  int fd;
  do fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
  while (fd < 0 && errno == EINTR);
  return fd;
}

// The whole file; an empty text when it does not exist; nothing when it exists but cannot be read.
std::optional<std::string> ReadWholeFile(const fs::path& path) {
  UniqueFd fd(OpenFile(path, O_RDONLY));
  if (!fd.Valid()) return errno == ENOENT ? std::optional<std::string>(std::string()) : std::nullopt;
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) return bytes;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
}

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Replaces target with bytes so that a crash at any moment leaves either the old or the new file.
bool ReplaceFile(const fs::path& target, const std::string& bytes) {
  fs::path temp = target;
  temp += ".tmp";  // one name is enough: only the holder of the lock writes it
  UniqueFd fd(OpenFile(temp, O_WRONLY | O_CREAT | O_TRUNC));
  if (!fd.Valid()) return false;
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0) ::fchmod(fd.Get(), old.st_mode & 07777);
  const bool written = WriteAll(fd.Get(), bytes) && ::fsync(fd.Get()) == 0;
  if (!fd.Close() || !written || ::rename(temp.c_str(), target.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  // Make the rename itself durable; file systems that cannot sync a folder still did the rename.
  UniqueFd dir(OpenFile(target.parent_path().empty() ? fs::path(".") : target.parent_path(),
                        O_RDONLY | O_DIRECTORY));
  if (dir.Valid()) ::fsync(dir.Get());
  return true;
}

// A settings file kept as a symbolic link (a dotfile repository, say) is written where the link points,
// so that the rename does not replace the link by a plain file.
fs::path WriteTarget(const fs::path& file) {
  std::error_code ec;
  if (!fs::is_symlink(fs::symlink_status(file, ec))) return file;
  const fs::path resolved = fs::weakly_canonical(file, ec);
  return ec ? file : resolved;
}

std::string NonEmptyEnv(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

}  // namespace

IniFileBackend::IniFileBackend(const fs::path& folder, const std::string& baseKey)
    : folder_(folder), file_(folder / FileNameFor(baseKey)) {
  // Opening creates the key, so the file exists after the first run even when nothing was written.
  // A folder that cannot be made is no error here: reads then give their defaults.
  std::error_code ec;
  fs::create_directories(folder_, ec);
  UniqueFd fd(OpenFile(file_, O_WRONLY | O_CREAT));
}

fs::path IniFileBackend::DefaultFolder() {
  const std::string own = NonEmptyEnv("QUILLPAD_CONFIG_DIR");
  if (!own.empty()) return own;
  fs::path base = NonEmptyEnv("XDG_CONFIG_HOME");
  if (base.empty() || base.is_relative()) {  // the XDG convention treats a relative one as unset
    std::string home = NonEmptyEnv("HOME");
    if (home.empty())
      if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) home = pw->pw_dir;
    base = fs::path(home) / ".config";
  }
  return base / "Norvale" / "Quillpad";
}

std::string IniFileBackend::FileNameFor(const std::string& baseKey) {
  std::string last;
  std::size_t start = 0;
  while (start <= baseKey.size()) {
    std::size_t end = baseKey.find('\\', start);
    if (end == std::string::npos) end = baseKey.size();
    if (end > start) last = baseKey.substr(start, end - start);
    start = end + 1;
  }
  // A component that is no usable file name still gets a file of its own.
  for (char& c : last)
    if (c == '/' || c == '\0') c = '_';
  if (last.empty() || last == "." || last == "..") last = "Settings";
  return last + ".ini";
}

std::optional<std::string> IniFileBackend::Read(const std::string& section, const std::string& ident) {
  const auto bytes = ReadWholeFile(file_);
  if (!bytes) return std::nullopt;
  return IniDocument::Parse(*bytes).Find(section, ident);
}

void IniFileBackend::Write(const std::string& section, const std::string& ident, const std::string& value) {
  std::error_code ec;
  fs::create_directories(folder_, ec);
  fs::path lockPath = file_;
  lockPath += ".lock";
  UniqueFd lock(OpenFile(lockPath, O_RDWR | O_CREAT));
  if (!lock.Valid()) throw SettingsError("Failed to create key " + section);
  const SettingsError notStored("Failed to set data for '" + ident + "'");
  while (::flock(lock.Get(), LOCK_EX) != 0)
    if (errno != EINTR) throw notStored;

  // Re-read under the lock so that values other processes wrote since our last read are kept; a file
  // that exists but cannot be read is left alone rather than replaced by one holding only our value.
  const fs::path target = WriteTarget(file_);
  const auto bytes = ReadWholeFile(target);
  if (!bytes) throw notStored;
  IniDocument doc = IniDocument::Parse(*bytes);
  doc.Set(section, ident, value);
  if (!ReplaceFile(target, doc.Serialize())) throw notStored;
}
