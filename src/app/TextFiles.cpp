#include "app/TextFiles.h"

#include "app/AsciiRuns.h"
#include "editor/ByteScan.h"
#include "editor/LargeBuffers.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <new>
#include <random>

namespace fs = std::filesystem;

namespace {

// ".<stem>.<pid>-<rest>": the number of the process that writes it tells a leftover of a writer that
// was killed (or lost its machine) from a file that another window is writing right now.
std::string TemporaryName(const std::string& folder, const std::string& stem, const std::string& rest) {
  return folder + "." + stem + "." + std::to_string(::getpid()) + "-" + rest;
}

// Removes the temporary files of the stem that no running process writes any more: a save that was cut
// short leaves its temporary file behind, and the next save of the same file takes it away.
void RemoveLeftoverTemporaries(const std::string& folder, const std::string& stem) {
  const std::string prefix = "." + stem + ".";
  std::error_code ec;
  for (fs::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!name.starts_with(prefix) || !name.ends_with(".tmp")) continue;
    const std::size_t dash = name.find('-', prefix.size());
    if (dash == std::string::npos || dash == prefix.size() || dash - prefix.size() > 9) continue;
    const std::string digits = name.substr(prefix.size(), dash - prefix.size());
    if (digits.find_first_not_of("0123456789") != std::string::npos) continue;
    // The rest must be what this program writes: digits, then ".tmp" or ".bak.tmp".
    const std::string rest = name.substr(dash + 1);
    const std::size_t tail = rest.find('.');
    if (tail == 0 || rest.substr(0, tail).find_first_not_of("0123456789") != std::string::npos ||
        (rest.substr(tail) != ".tmp" && rest.substr(tail) != ".bak.tmp"))
      continue;
    const auto pid = static_cast<pid_t>(std::stol(digits));
    if (pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH) ::unlink((folder + name).c_str());
  }
}

// An open file descriptor, closed when it goes out of scope.
class FileDescriptor {
public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { Close(); }
  void Reset(int fd) {
    Close();
    fd_ = fd;
  }
  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  // Closing can report a delayed write error, so the writer checks it.
  bool Close() {
    if (fd_ < 0) return true;
    const bool ok = ::close(fd_) == 0;
    fd_ = -1;
    return ok;
  }

private:
  int fd_;
};

// A temporary file that is removed unless it was committed by renaming it.
class TemporaryFile {
public:
  explicit TemporaryFile(const std::string& folder, const std::string& stem, mode_t mode) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 20 && !fd_.Valid(); ++attempt) {
      path_ = TemporaryName(folder, stem, std::to_string(random() % 1000000000) + ".tmp");
      fd_.Reset(::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
      if (!fd_.Valid() && errno != EEXIST) break;
    }
    if (!fd_.Valid()) path_.clear();
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    fd_.Close();
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  bool Valid() const { return fd_.Valid(); }
  int Fd() const { return fd_.Get(); }
  const std::string& Path() const { return path_; }
  bool CloseFile() { return fd_.Close(); }
  bool CommitAs(const std::string& target) {
    if (::rename(path_.c_str(), target.c_str()) != 0) return false;
    path_.clear();
    return true;
  }

private:
  FileDescriptor fd_{-1};
  std::string path_;
};

// Temporary names start with the file's own name, cut short so that a long name still leaves room.
std::string ShortStem(const std::string& name) { return name.substr(0, 100); }

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// The file a path finally names, following symbolic links; the path itself when it names nothing yet.
std::string ResolveTarget(const std::string& path) {
  std::error_code ec;
  if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
  const fs::path resolved = fs::weakly_canonical(path, ec);
  return ec ? path : resolved.string();
}

// Captures the current contents of `target` under a temporary name beside `backup`: a hard link when
// the file system allows one, a copy otherwise.
class PendingBackup {
public:
  PendingBackup(const std::string& target, const std::string& backup) : backup_(backup) {
    const std::string folder = FolderOf(backup);
    const std::string stem = ShortStem(backup.substr(folder.size()));
    for (int attempt = 0; attempt < 20; ++attempt) {
      temp_ = TemporaryName(folder, stem, std::to_string(attempt) + ".bak.tmp");
      if (::link(target.c_str(), temp_.c_str()) == 0) return;
      if (errno == EEXIST) continue;
      std::error_code ec;
      if (fs::copy_file(target, temp_, fs::copy_options::none, ec)) return;
      ::unlink(temp_.c_str());  // whatever part of a copy got written
      break;
    }
    temp_.clear();
  }
  PendingBackup(const PendingBackup&) = delete;
  PendingBackup& operator=(const PendingBackup&) = delete;
  ~PendingBackup() {
    if (!temp_.empty()) ::unlink(temp_.c_str());
  }
  // A backup that cannot be kept is not reported: the save itself has succeeded.
  void Commit() {
    if (!temp_.empty() && ::rename(temp_.c_str(), backup_.c_str()) == 0) temp_.clear();
  }

private:
  std::string backup_;
  std::string temp_;
};

void SyncFolder(const std::string& folder) {
  FileDescriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.Valid()) ::fsync(dir.Get());
}

bool SamePlace(const std::string& a, const std::string& b) {
  std::error_code ec;
  if (fs::equivalent(a, b, ec)) return true;
  return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

}  // namespace

std::uint64_t MaxReadableFileSize() {
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGE_SIZE);
  if (pages <= 0 || pageSize <= 0) return std::uint64_t{1} << 30;
  return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize) / 4;
}

TFileRead ReadFileBytes(const std::string& path, std::uint64_t maxBytes) {
  using Status = TFileRead::Status;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return {errno == ENOENT ? Status::Missing : Status::Error, {}};
  // Decided before opening: opening a pipe for reading waits for a writer, and opening a device may
  // have effects of its own.
  if (!S_ISREG(st.st_mode)) return {Status::NotRegular, {}};
  // Should the name be swapped for a pipe in between, O_NONBLOCK keeps the open from waiting, and the
  // second look at what was opened refuses it.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!fd.Valid()) return {Status::Error, {}};
  if (::fstat(fd.Get(), &st) != 0) return {Status::Error, {}};
  if (!S_ISREG(st.st_mode)) return {Status::NotRegular, {}};
  if (static_cast<std::uint64_t>(st.st_size) > maxBytes) return {Status::TooLarge, {}};
  TFileRead result;
  try {
    // Room for what opening adds in place (the generator meta tag) without moving the whole text.
    ReserveLarge(result.bytes, static_cast<std::size_t>(st.st_size) + 4096);
    // A file that grows while it is read (or a /proc file, which tells no size) is still held to the limit.
    char block[65536];
    while (true) {
      const ssize_t n = ::read(fd.Get(), block, sizeof block);
      if (n == 0) break;
      if (n < 0) {
        if (errno == EINTR) continue;
        return {Status::Error, {}};
      }
      if (result.bytes.size() + static_cast<std::size_t>(n) > maxBytes) return {Status::TooLarge, {}};
      result.bytes.append(block, static_cast<std::size_t>(n));
    }
  } catch (const std::bad_alloc&) {
    return {Status::TooLarge, {}};
  }
  return result;
}

namespace {
// Whether the CR or LF at `end` becomes CR LF: a lone one, not the first or the last byte.
bool BreakGrows(std::string_view bytes, std::size_t end) {
  const char c = bytes[end];
  const bool inner = end > 0 && end + 1 < bytes.size();
  return inner && ((c == '\r' && bytes[end + 1] != '\n') || (c == '\n' && bytes[end - 1] != '\r'));
}
}  // namespace

std::string NormalizeLineEnds(std::string_view bytes) {
  std::string out;
  ReserveLarge(out, bytes.size() + bytes.size() / 32);
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  while (i < n) {
    const std::size_t end = FindLineEnd(bytes, i);
    out.append(bytes.substr(i, end - i));
    if (end == n) break;
    if (BreakGrows(bytes, end))
      out.append("\r\n");
    else
      out.push_back(bytes[end]);
    i = end + 1;
  }
  return out;
}

void NormalizeLineEndsInPlace(std::string& bytes) {
  if (OnlyCrLfBreaks(bytes)) return;  // the usual file, found in one word scan
  const std::string_view view(bytes);
  for (std::size_t i = FindLineEnd(view, 0); i < view.size(); i = FindLineEnd(view, i + 1)) {
    if (BreakGrows(view, i)) {
      bytes = NormalizeLineEnds(view);
      return;
    }
  }
}

std::string FileExtension(std::string_view name) {
  const std::size_t slash = name.rfind('/');
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
  return std::string(name.substr(dot));
}

std::string WithoutExtension(std::string_view name) {
  return std::string(name.substr(0, name.size() - FileExtension(name).size()));
}

std::string FolderOf(std::string_view name) {
  const std::size_t slash = name.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(name.substr(0, slash + 1));
}

void EnsureFolderExists(const std::string& path) {
  const std::string folder = FolderOf(path);
  if (folder.empty()) return;
  std::error_code ec;
  fs::create_directories(folder, ec);
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, const TWriteOptions& options) {
  const std::string target = ResolveTarget(path);
  const std::string folder = FolderOf(target);
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) return false;  // a folder or a device is never replaced

  const std::string stem = ShortStem(target.substr(folder.size()));
  RemoveLeftoverTemporaries(folder, stem);
  if (options.backupPath) {
    const std::string backupFolder = FolderOf(*options.backupPath);
    RemoveLeftoverTemporaries(backupFolder, ShortStem(options.backupPath->substr(backupFolder.size())));
  }
  // A new file gets the usual 0666 less the umask from open(); an existing one keeps its bits.
  TemporaryFile temp(folder, stem, exists ? (old.st_mode & 07777) : 0666);
  if (!temp.Valid()) return false;
  if (exists) {
    // open() applied the umask; set the old bits exactly, and the owner where we may.
    if (::fchmod(temp.Fd(), old.st_mode & 07777) != 0) return false;
    if (::fchown(temp.Fd(), old.st_uid, old.st_gid) != 0) {
      // Only the super-user may give a file away; an ordinary user keeps owning what they save.
    }
  }
  if (!WriteAll(temp.Fd(), bytes) || ::fsync(temp.Fd()) != 0 || !temp.CloseFile()) return false;

  std::optional<PendingBackup> backup;
  if (options.backupPath && exists && !SamePlace(*options.backupPath, target) &&
      !SamePlace(*options.backupPath, path))
    backup.emplace(target, *options.backupPath);
  if (!temp.CommitAs(target)) return false;
  if (backup) backup->Commit();
  SyncFolder(folder);
  return true;
}
