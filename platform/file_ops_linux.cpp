#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <random>
#include <string>

#include "platform/file_ops.h"

namespace platform {
namespace {

bool WriteAll(int fd, const Bytes& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;  // a write past a size limit or a full disk
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// A name no other file uses: the random part keeps processes apart, the
// counter keeps calls of one process apart, O_EXCL settles the rest.
std::string TemporaryNameBeside(std::string_view gbk_path) {
  static std::atomic<std::uint32_t> counter{0};
  thread_local std::mt19937_64 random(std::random_device{}() ^
                                      static_cast<std::uint64_t>(
                                          std::chrono::steady_clock::now().time_since_epoch().count()) ^
                                      static_cast<std::uint64_t>(::getpid()));
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string suffix;
  std::uint64_t r = random() ^ (static_cast<std::uint64_t>(counter.fetch_add(1)) << 40);
  for (int i = 0; i < 10; ++i, r /= 36) suffix += kDigits[r % 36];

  // The GBK trail bytes never take the value of '/', so the last '/' is the
  // separator. A hidden name keeps an interrupted save's leftover out of view.
  const std::size_t cut = gbk_path.rfind(kPathSeparator);
  const std::string_view folder = cut == std::string_view::npos ? std::string_view{} : gbk_path.substr(0, cut + 1);
  const std::string_view name = cut == std::string_view::npos ? gbk_path : gbk_path.substr(cut + 1);
  return std::string(folder) + "." + std::string(name) + "." + suffix + ".part";
}

}  // namespace

std::optional<Bytes> ReadRegularFile(std::string_view gbk_path, std::size_t max_bytes) {
  if (gbk_path.empty()) return std::nullopt;
  // O_NONBLOCK: opening a pipe must not wait for a writer.
  const int fd = ::open(NativePath(gbk_path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat st{};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0 ||
      static_cast<std::uint64_t>(st.st_size) > max_bytes) {
    ::close(fd);
    return std::nullopt;
  }
  Bytes bytes(static_cast<std::size_t>(st.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;  // shrunk meanwhile: keep what is there
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  bytes.resize(done);
  return bytes;
}

CreateResult CreateNewFile(std::string_view gbk_path) {
  if (gbk_path.empty()) return CreateResult::Failed;
  const int fd = ::open(NativePath(gbk_path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return errno == EEXIST ? CreateResult::AlreadyExists : CreateResult::Failed;
  if (::close(fd) != 0) {
    ::unlink(NativePath(gbk_path).c_str());
    return CreateResult::Failed;
  }
  return CreateResult::Created;
}

bool ReplaceFile(std::string_view gbk_path, const Bytes& bytes) {
  if (gbk_path.empty()) return false;
  const std::string target = NativePath(gbk_path);
  std::string temporary;
  int fd = -1;
  // Another file of the same name is astronomically unlikely; a few tries
  // cover it. Any other error (no such folder, no space) ends at once.
  for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
    temporary = NativePath(TemporaryNameBeside(gbk_path));
    // 0666 less the umask: the card gets the permissions of any new file.
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;
  // Flushed to disk before the rename, so a crash leaves the old target or
  // the new one, never an empty file under the target's name.
  bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  if (ok) ok = ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}

bool RemoveFile(std::string_view gbk_path) {
  if (gbk_path.empty()) return false;
  return ::unlink(NativePath(gbk_path).c_str()) == 0;
}

}  // namespace platform
