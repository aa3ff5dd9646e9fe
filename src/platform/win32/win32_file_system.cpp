#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>

#include "text/cp1250.h"

namespace vorn {
namespace {

std::wstring wide(const std::string& path) {
  const std::u16string u = text::cp1250ToUtf16(path);
  return std::wstring(u.begin(), u.end());
}

std::string narrow(const wchar_t* s) {
  std::u16string u;
  for (; *s; ++s) u.push_back(char16_t(*s));
  return text::utf16ToCp1250(u);
}

class Win32WritableFile final : public WritableFile {
 public:
  explicit Win32WritableFile(HANDLE h) : h_(h) {}
  ~Win32WritableFile() override {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  bool write(const void* data, size_t size) override {
    const auto* p = static_cast<const uint8_t*>(data);
    while (size > 0) {
      const DWORD chunk = DWORD(std::min<size_t>(size, 1u << 30));
      DWORD done = 0;
      if (!WriteFile(h_, p, chunk, &done, nullptr) || done == 0) return false;
      p += done;
      size -= done;
    }
    return true;
  }
  bool flush() override { return h_ != INVALID_HANDLE_VALUE && FlushFileBuffers(h_); }
  bool close() override {
    if (h_ == INVALID_HANDLE_VALUE) return false;
    const BOOL ok = CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
    return ok != 0;
  }

 private:
  HANDLE h_;
};

}  // namespace

bool Win32FileSystem::exists(const std::string& path) { return existsWide(wide(path)); }

bool Win32FileSystem::existsWide(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<DirEntry> Win32FileSystem::findFirst(const std::string& path) {
  return findFirstWide(wide(path));
}

std::optional<DirEntry> Win32FileSystem::findFirstWide(const std::wstring& path) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW(path.c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  FindClose(h);
  DirEntry e;
  e.longName = narrow(fd.cFileName);
  e.shortName = narrow(fd.cAlternateFileName);
  e.size = (uint64_t(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
  return e;
}

Result<std::vector<uint8_t>> Win32FileSystem::readFile(const std::string& path, size_t maxBytes) {
  HANDLE h = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return makeError("cannot open " + path);
  LARGE_INTEGER size;
  if (!GetFileSizeEx(h, &size)) {
    CloseHandle(h);
    return makeError("cannot read " + path);
  }
  // The file's real size bounds the buffer, never what the caller asked for.
  const uint64_t want64 = std::min<uint64_t>(uint64_t(size.QuadPart), maxBytes);
  if (want64 > SIZE_MAX / 2) {
    CloseHandle(h);
    return makeError("file too large: " + path);
  }
  std::vector<uint8_t> data(static_cast<size_t>(want64));
  size_t got = 0;
  while (got < data.size()) {
    DWORD n = 0;
    const DWORD chunk = DWORD(std::min<size_t>(data.size() - got, 1u << 30));
    if (!ReadFile(h, data.data() + got, chunk, &n, nullptr)) {
      CloseHandle(h);
      return makeError("cannot read " + path);
    }
    if (n == 0) break;
    got += n;
  }
  CloseHandle(h);
  data.resize(got);
  return data;
}

std::unique_ptr<WritableFile> Win32FileSystem::openWrite(const std::string& path) {
  HANDLE h = CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32WritableFile>(h);
}

bool Win32FileSystem::rename(const std::string& from, const std::string& to) {
  const std::wstring wt = wide(to);
  // A read-only collection is the user's way of saying "keep it": refuse, as
  // Windows does, also where an emulation would replace it anyway.
  const DWORD a = GetFileAttributesW(wt.c_str());
  if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY)) return false;
  return MoveFileExW(wide(from).c_str(), wt.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Win32FileSystem::remove(const std::string& path) { return DeleteFileW(wide(path).c_str()) != 0; }

}  // namespace vorn
