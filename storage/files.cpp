#include "storage/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>
#include <random>

namespace kelvorn::storage {

namespace fs = std::filesystem;

std::optional<std::vector<std::uint8_t>> readFile(const fs::path& path, std::size_t maxBytes) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  const auto size = fs::file_size(path, ec);
  if (ec || size > maxBytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes(size);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
  if (in.gcount() != static_cast<std::streamsize>(size)) return std::nullopt;
  return bytes;
}

namespace {
std::string reason(const char* what, const fs::path& path, int err) {
  return std::string(what) + " " + path.string() + ": " + std::strerror(err);
}

// Reads up to `size` bytes, however the system splits them; -1 with errno on failure.
ssize_t readFully(int fd, char* into, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd, into + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<ssize_t>(done);
}
}  // namespace

std::optional<FileStart> readFileStart(const fs::path& path, std::size_t maxBytes,
                                       std::string& error) {
  error.clear();
  // Not blocking on a pipe: anything but a plain file is refused before it is read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    if (errno != ENOENT && errno != ENOTDIR) error = reason("cannot read", path, errno);
    return std::nullopt;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    error = S_ISDIR(st.st_mode) ? reason("cannot read", path, EISDIR)
                                : "cannot read " + path.string() + ": not a plain file";
    ::close(fd);
    return std::nullopt;
  }
  FileStart start;
  start.text.resize(maxBytes + 1);  // one byte more tells whether the file goes on
  const ssize_t n = readFully(fd, start.text.data(), start.text.size());
  const int readError = errno;
  ::close(fd);
  if (n < 0) {
    error = reason("cannot read", path, readError);
    return std::nullopt;
  }
  start.whole = static_cast<std::size_t>(n) <= maxBytes;
  start.text.resize(std::min(static_cast<std::size_t>(n), maxBytes));
  return start;
}

std::optional<std::string> readFirstLines(const fs::path& path, std::size_t count,
                                          std::size_t maxBytes) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text;
  std::size_t lines = 0;
  char c = 0;
  while (lines < count && in.get(c)) {
    if (text.size() == maxBytes) return std::nullopt;
    text.push_back(c);
    if (c == '\n') ++lines;
  }
  if (in.bad()) return std::nullopt;
  return text;
}

namespace {
constexpr std::string_view kTemporaryEnd = ".tmp";
constexpr std::size_t kRandomDigits = 16;

// NAME.<16 hex digits>.tmp beside NAME: unknown in advance, so nothing can wait there.
fs::path temporaryName(const fs::path& target) {
  static thread_local std::mt19937_64 random{[] {
    std::random_device device;
    return (std::uint64_t{device()} << 32) ^ device() ^ static_cast<std::uint64_t>(::getpid());
  }()};
  static constexpr char kHex[] = "0123456789abcdef";
  std::string digits(kRandomDigits, '0');
  std::uint64_t r = random();
  for (char& d : digits) {
    d = kHex[r & 15];
    r >>= 4;
  }
  fs::path temp = target;
  temp += "." + digits + std::string(kTemporaryEnd);
  return temp;
}

// Creates a temporary file for `target` that did not exist before: O_EXCL refuses any
// name already taken, a planted link included.
int createTemporary(const fs::path& target, fs::path& temp) {
  for (int attempt = 0; attempt < 16; ++attempt) {
    temp = temporaryName(target);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

fs::path folderOf(const fs::path& path) {
  return path.has_parent_path() ? path.parent_path() : fs::path(".");
}
}  // namespace

void syncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // some file systems cannot sync a folder; the rename stands regardless
  ::close(fd);
}

bool writeFileAtomic(const fs::path& path, std::span<const std::uint8_t> bytes,
                     std::string& error) {
  fs::path temp;
  const int fd = createTemporary(path, temp);
  if (fd < 0) {
    error = reason("cannot write", path, errno);
    return false;
  }
  // The replacement keeps the permissions the player gave the file.
  struct stat old {};
  if (::lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);
  const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
  int err = errno;
  const bool closed = ::close(fd) == 0;
  if (written && !closed) err = errno;
  if (!written || !closed) {
    ::unlink(temp.c_str());
    error = reason("cannot write", path, err);
    return false;
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    err = errno;
    ::unlink(temp.c_str());
    error = reason("cannot replace", path, err);
    return false;
  }
  syncFolder(folderOf(path));
  return true;
}

bool writeTextAtomic(const fs::path& path, std::string_view text, std::string& error) {
  return writeFileAtomic(
      path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), error);
}

void removeStrayTemporaries(const fs::path& target) {
  const std::string name = target.filename().string();
  std::error_code ec;
  for (fs::directory_iterator it(folderOf(target), ec), end; !ec && it != end; it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    // NAME.tmp was the fixed name of earlier versions.
    const bool older = entry == name + std::string(kTemporaryEnd);
    const bool current = entry.size() == name.size() + 1 + kRandomDigits + kTemporaryEnd.size() &&
                         entry.starts_with(name + ".") && entry.ends_with(kTemporaryEnd) &&
                         entry.find_first_not_of("0123456789abcdef", name.size() + 1) ==
                             name.size() + 1 + kRandomDigits;
    std::error_code typeError;
    if ((older || current) && !it->is_directory(typeError)) fs::remove(it->path(), typeError);
  }
}

void reportFileSizeLimitAsError() { std::signal(SIGXFSZ, SIG_IGN); }

}  // namespace kelvorn::storage
