#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files.h"
#include "platform/gbk.h"

namespace platform {

std::string NativePath(std::string_view gbk_path) { return Utf8FromGbk(gbk_path); }

Bytes ReadWholeFile(std::string_view gbk_path) {
  if (gbk_path.empty()) return {};
  int fd = ::open(NativePath(gbk_path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  Bytes bytes;
  struct stat st{};
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
    bytes.reserve(static_cast<std::size_t>(st.st_size));
  else if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    return {};
  }
  std::uint8_t chunk[1 << 16];
  for (;;) {
    ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;  // a read error keeps the bytes read so far
    bytes.insert(bytes.end(), chunk, chunk + n);
  }
  ::close(fd);
  return bytes;
}

bool WriteWholeFile(std::string_view gbk_path, const Bytes& bytes) {
  // Emptied by ftruncate after writing, not O_TRUNC: on ext4 truncating a
  // file at open makes its close wait for the disk.
  int fd = ::open(NativePath(gbk_path).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  std::size_t done = 0;
  bool ok = true;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = false;
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  struct stat st{};
  if (ok && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0)
    ok = false;
  if (::close(fd) != 0) ok = false;
  return ok;
}

bool EntryExists(std::string_view gbk_path) {
  struct stat st{};
  return ::lstat(NativePath(gbk_path).c_str(), &st) == 0;
}

bool ResetFileAttributes(std::string_view gbk_path) {
  std::string path = NativePath(gbk_path);
  struct stat st{};
  if (::stat(path.c_str(), &st) != 0) return false;
  return ::chmod(path.c_str(), (st.st_mode & 07777) | S_IRUSR | S_IWUSR) == 0;
}

}  // namespace platform
