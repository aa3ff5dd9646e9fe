#ifndef _WIN32
#include "platform/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "text/cp1250.h"

namespace vorn {
namespace {

bool readOnlyFile(const std::string& native) {
  struct stat st;
  return ::stat(native.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
         (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

std::string folderOf(const std::string& native) {
  const size_t p = native.find_last_of('/');
  if (p == std::string::npos) return ".";
  return p == 0 ? "/" : native.substr(0, p);
}

class PosixWritableFile final : public WritableFile {
 public:
  explicit PosixWritableFile(int fd) : fd_(fd) {}
  ~PosixWritableFile() override {
    if (fd_ >= 0) ::close(fd_);
  }
  bool write(const void* data, size_t size) override {
    const auto* p = static_cast<const uint8_t*>(data);
    while (size > 0) {
      const ssize_t n = ::write(fd_, p, size);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      p += n;
      size -= size_t(n);
    }
    return true;
  }
  bool flush() override { return fd_ >= 0 && ::fsync(fd_) == 0; }
  bool close() override {
    if (fd_ < 0) return false;
    const int r = ::close(fd_);
    fd_ = -1;
    return r == 0;
  }

 private:
  int fd_;
};

}  // namespace

std::string PosixFileSystem::nativePath(const std::string& path) {
  std::string p = text::cp1250ToUtf8(path);
  std::replace(p.begin(), p.end(), '\\', '/');
  if (p.size() >= 3 && (p[0] == 'Z' || p[0] == 'z') && p[1] == ':' && p[2] == '/') p.erase(0, 2);
  return p;
}

bool PosixFileSystem::exists(const std::string& path) {
  struct stat st;
  return ::stat(nativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<DirEntry> PosixFileSystem::findFirst(const std::string& path) {
  const std::string native = nativePath(path);
  struct stat st;
  if (::stat(native.c_str(), &st) != 0) return std::nullopt;
  const size_t slash = native.find_last_of('/');
  const std::string name = slash == std::string::npos ? native : native.substr(slash + 1);
  return DirEntry{text::utf8ToCp1250(name), std::string(), uint64_t(st.st_size)};
}

Result<std::vector<uint8_t>> PosixFileSystem::readFile(const std::string& path, size_t maxBytes) {
  const std::string native = nativePath(path);
  const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return makeError("cannot open " + native + ": " + std::strerror(errno));
  // The size the file has, never the size a caller hoped for, bounds the
  // buffer; small reads (the 4 KiB integrity checks) skip asking for it.
  size_t want = maxBytes;
  if (maxBytes > 65536) {
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      return makeError("not a regular file: " + native);
    }
    want = std::min<uint64_t>(maxBytes, uint64_t(st.st_size));
  }
  std::vector<uint8_t> data(want);
  size_t got = 0;
  while (got < want) {
    const ssize_t n = ::read(fd, data.data() + got, want - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int e = errno;
      ::close(fd);
      return makeError("cannot read " + native + ": " + std::strerror(e));
    }
    if (n == 0) break;  // the file shrank meanwhile
    got += size_t(n);
  }
  ::close(fd);
  data.resize(got);
  return data;
}

std::unique_ptr<WritableFile> PosixFileSystem::openWrite(const std::string& path) {
  const std::string native = nativePath(path);
  if (readOnlyFile(native)) return nullptr;
  const int fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return nullptr;
  return std::make_unique<PosixWritableFile>(fd);
}

bool PosixFileSystem::rename(const std::string& from, const std::string& to) {
  const std::string nf = nativePath(from), nt = nativePath(to);
  if (readOnlyFile(nt)) return false;
  if (::rename(nf.c_str(), nt.c_str()) != 0) return false;
  // Make the new directory entry itself durable.
  const int dir = ::open(folderOf(nt).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

bool PosixFileSystem::remove(const std::string& path) {
  return ::unlink(nativePath(path).c_str()) == 0;
}

}  // namespace vorn
#endif
