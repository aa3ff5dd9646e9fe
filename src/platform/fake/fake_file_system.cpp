#include "platform/fake/fake_file_system.h"

#include <algorithm>

#include "text/cp1250.h"

namespace vorn::fake {
namespace {

std::string normalise(const std::string& path) {
  std::string k = text::asciiUpper(path);
  std::replace(k.begin(), k.end(), '/', '\\');
  return k;
}

std::string lastPart(const std::string& path) {
  const size_t p = path.find_last_of("\\/:");
  return p == std::string::npos ? path : path.substr(p + 1);
}

}  // namespace

class FakeFileSystem::Writer final : public WritableFile {
 public:
  Writer(FakeFileSystem& fs, std::string key) : fs_(fs), key_(std::move(key)) {}
  bool write(const void* data, size_t size) override {
    std::lock_guard lock(fs_.m_);
    if (closed_ || trip(fs_.writeFault_)) return false;
    auto it = fs_.files_.find(key_);
    if (it == fs_.files_.end()) return false;
    if (fs_.capacity_ && fs_.usedBytes() + size > *fs_.capacity_) {
      // A full disk takes what fits, then fails, like a real one.
      const uint64_t room = *fs_.capacity_ - std::min(*fs_.capacity_, fs_.usedBytes());
      const auto* p = static_cast<const uint8_t*>(data);
      it->second.data.insert(it->second.data.end(), p, p + room);
      return false;
    }
    const auto* p = static_cast<const uint8_t*>(data);
    it->second.data.insert(it->second.data.end(), p, p + size);
    return true;
  }
  bool flush() override {
    std::lock_guard lock(fs_.m_);
    return !closed_ && !trip(fs_.flushFault_);
  }
  bool close() override {
    std::lock_guard lock(fs_.m_);
    if (closed_) return false;
    closed_ = true;
    return !trip(fs_.closeFault_);
  }

 private:
  FakeFileSystem& fs_;
  std::string key_;
  bool closed_ = false;
};

bool FakeFileSystem::trip(int& counter) {
  if (counter <= 0) return false;
  return --counter == 0;
}

std::string FakeFileSystem::key(const std::string& path) const {
  std::string k = normalise(path);
  for (int round = 0; round < 8; ++round) {
    bool changed = false;
    for (const auto& [shortKey, longKey] : aliases_) {
      if (k == shortKey || (k.size() > shortKey.size() && k.compare(0, shortKey.size(), shortKey) == 0 &&
                            k[shortKey.size()] == '\\')) {
        k = longKey + k.substr(shortKey.size());
        changed = true;
      }
    }
    if (!changed) break;
  }
  return k;
}

FakeFileSystem::File* FakeFileSystem::find(const std::string& path) {
  auto it = files_.find(key(path));
  return it == files_.end() ? nullptr : &it->second;
}

void FakeFileSystem::addFile(const std::string& path, std::vector<uint8_t> data) {
  std::lock_guard lock(m_);
  File& f = files_[key(path)];
  f.name = lastPart(path);
  f.data = std::move(data);
}

void FakeFileSystem::addFile(const std::string& path, const std::string& data) {
  addFile(path, std::vector<uint8_t>(data.begin(), data.end()));
}

void FakeFileSystem::setReadOnly(const std::string& path, bool readOnly) {
  std::lock_guard lock(m_);
  if (File* f = find(path)) f->readOnly = readOnly;
}

void FakeFileSystem::addShortName(const std::string& longPath, const std::string& shortPath) {
  std::lock_guard lock(m_);
  const std::string longKey = key(longPath);
  aliases_.emplace_back(key(shortPath), longKey);  // its folder may itself be an alias
  if (File* f = find(longPath)) f->shortName = lastPart(shortPath);
}

std::optional<std::vector<uint8_t>> FakeFileSystem::contents(const std::string& path) const {
  std::lock_guard lock(m_);
  auto it = files_.find(key(path));
  if (it == files_.end()) return std::nullopt;
  return it->second.data;
}

std::vector<std::string> FakeFileSystem::paths() const {
  std::lock_guard lock(m_);
  std::vector<std::string> out;
  for (const auto& [k, f] : files_) out.push_back(k);
  return out;
}

uint64_t FakeFileSystem::usedBytes() const {
  std::lock_guard lock(m_);
  uint64_t n = 0;
  for (const auto& [k, f] : files_) n += f.data.size();
  return n;
}

bool FakeFileSystem::exists(const std::string& path) {
  std::lock_guard lock(m_);
  return find(path) != nullptr;
}

std::optional<DirEntry> FakeFileSystem::findFirst(const std::string& path) {
  std::lock_guard lock(m_);
  File* f = find(path);
  if (!f) return std::nullopt;
  return DirEntry{f->name, f->shortName, f->data.size()};
}

Result<std::vector<uint8_t>> FakeFileSystem::readFile(const std::string& path, size_t maxBytes) {
  std::lock_guard lock(m_);
  ++readCalls;
  File* f = find(path);
  if (!f) return makeError("file not found: " + path);
  const size_t n = std::min(maxBytes, f->data.size());
  return std::vector<uint8_t>(f->data.begin(), f->data.begin() + n);
}

std::unique_ptr<WritableFile> FakeFileSystem::openWrite(const std::string& path) {
  std::lock_guard lock(m_);
  if (trip(openWriteFault_)) return nullptr;
  const std::string k = key(path);
  auto it = files_.find(k);
  if (it != files_.end()) {
    if (it->second.readOnly) return nullptr;
    it->second.data.clear();
  } else {
    files_[k].name = lastPart(path);
  }
  return std::make_unique<Writer>(*this, k);
}

bool FakeFileSystem::rename(const std::string& from, const std::string& to) {
  std::lock_guard lock(m_);
  if (trip(renameFault_)) return false;
  const std::string kf = key(from), kt = key(to);
  auto src = files_.find(kf);
  if (src == files_.end()) return false;
  if (kf == kt) return true;
  auto dst = files_.find(kt);
  std::string name = lastPart(to), shortName;
  if (dst != files_.end()) {
    if (dst->second.readOnly) return false;
    name = dst->second.name;  // replacing keeps the target's own names
    shortName = dst->second.shortName;
  }
  File moved = std::move(src->second);
  moved.name = name;
  moved.shortName = shortName;
  files_.erase(src);
  files_[kt] = std::move(moved);
  return true;
}

bool FakeFileSystem::remove(const std::string& path) {
  std::lock_guard lock(m_);
  auto it = files_.find(key(path));
  if (it == files_.end() || it->second.readOnly) return false;
  files_.erase(it);
  return true;
}

}  // namespace vorn::fake
