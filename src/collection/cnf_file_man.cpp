#include "collection/cnf_file_man.h"

#include <algorithm>
#include <cstring>

#include "collection/crc32.h"
#include "collection/ole_date.h"
#include "platform/safe_save.h"
#include "text/cp1250.h"

namespace vorn {

std::string cnfWrongSignatureText() {
  return text::W1250(
      "A megnyitandó állomány nem a Vorn képernyővédő projektállománya, vagy egy régi "
      "változattal készült");
}

std::string cnfFreeFailedText() { return text::W1250("Néhány memóriatömb nem felszabadítható"); }

std::string changeFileExt(const std::string& path, const std::string& ext) {
  const size_t sep = path.find_last_of("\\/:");
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (sep != std::string::npos && dot < sep)) return path + ext;
  return path.substr(0, dot) + ext;
}

TCNFFileMan::TCNFFileMan(FileSystem& fs, MessageBoxes& boxes, const std::string& programPath)
    : FileName(changeFileExt(programPath, ".CNF")), Now(currentLocalOleDate), fs_(fs), boxes_(boxes) {
  header.zeroFill();
}

bool TCNFFileMan::GetItem(int index, TCNFItem& dest) const {
  if (index < 0 || index >= Count()) return false;
  dest.zeroFill();
  std::memcpy(dest.bytes(), items_[size_t(index)].bytes(), TCNFItem::kSize);
  return true;
}

void TCNFFileMan::SetItem(int index, const TCNFItem& item) {
  if (index < 0 || index >= Count()) return;
  items_[size_t(index)] = item;
}

int TCNFFileMan::Add(const TCNFItem& item) {
  items_.push_back(item);
  return Count() - 1;
}

void TCNFFileMan::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  items_.erase(items_.begin() + index);
}

// Releasing a copy held by value cannot fail here, so the message
// cnfFreeFailedText() never has a cause to be shown; it is kept for the
// screens that list the reader's messages.
void TCNFFileMan::Clear() { items_.clear(); }

void TCNFFileMan::LoadFromFile() {
  Clear();
  lastLoadAccepted_ = false;
  lastLoadMissing_ = 0;
  stamp_ = {};
  // The size is taken before the bytes are read: a file replaced between
  // the two can only make the stamp disagree with the disk, never agree
  // with a file other than the one whose bytes were read.
  const std::optional<DirEntry> entry = fs_.findFirst(FileName);
  const auto stampWith = [&](const std::vector<uint8_t>& read) {
    if (entry) stamp_ = {true, entry->size, read.size(), CRC32(0, read.data(), int64_t(read.size()))};
  };
  auto head = fs_.readFile(FileName, TCNFHeader::kSize);
  if (!head) return;  // the header keeps what it had
  stampWith(*head);

  header.zeroFill();
  if (!head->empty()) std::memcpy(header.bytes(), head->data(), head->size());
  if (!header.hasValidMagic()) {
    const char* first = reinterpret_cast<const char*>(header.Magic_);
    const size_t n = std::find(first, first + kCnfMagicSize, '\0') - first;
    boxes_.show(cnfWrongSignatureText(), "HIBA " + std::string(first, n));
    return;
  }
  lastLoadAccepted_ = true;
  const int32_t announced = header.ItemCount();
  if (announced <= 0) return;
  if (head->size() < TCNFHeader::kSize) {
    lastLoadMissing_ = announced;
    return;
  }
  // Read no more than the announced records, and allocate only for what the
  // file really holds: ItemCount is the file's claim, not a size to trust.
  const uint64_t wanted = TCNFHeader::kSize + uint64_t(announced) * TCNFItem::kSize;
  auto whole = fs_.readFile(FileName, size_t(std::min<uint64_t>(wanted, SIZE_MAX)));
  if (!whole || whole->size() < TCNFHeader::kSize) {
    lastLoadMissing_ = announced;
    stamp_ = {};
    return;
  }
  stampWith(*whole);
  const size_t complete = (whole->size() - TCNFHeader::kSize) / TCNFItem::kSize;
  const size_t held = std::min<size_t>(complete, size_t(announced));
  items_.resize(held);
  for (size_t i = 0; i < held; ++i)
    std::memcpy(items_[i].bytes(), whole->data() + TCNFHeader::kSize + i * TCNFItem::kSize,
                TCNFItem::kSize);
  lastLoadMissing_ = announced - int32_t(held);
}

std::vector<uint8_t> TCNFFileMan::Serialize(double savedAt) const {
  TCNFHeader out = header;
  out.setMagic();
  out.setItemCount(Count());
  out.setSavedAt(savedAt);
  std::vector<uint8_t> bytes(TCNFHeader::kSize + items_.size() * TCNFItem::kSize);
  std::memcpy(bytes.data(), out.bytes(), TCNFHeader::kSize);
  for (size_t i = 0; i < items_.size(); ++i)
    std::memcpy(bytes.data() + TCNFHeader::kSize + i * TCNFItem::kSize, items_[i].bytes(),
                TCNFItem::kSize);
  return bytes;
}

bool TCNFFileMan::SaveToFile() {
  const double now = Now ? Now() : currentLocalOleDate();
  const std::vector<uint8_t> bytes = Serialize(now);
  if (!saveFileSafely(fs_, FileName, bytes)) return false;
  std::memcpy(header.bytes(), bytes.data(), TCNFHeader::kSize);
  stamp_ = {true, bytes.size(), bytes.size(), CRC32(0, bytes.data(), int64_t(bytes.size()))};
  return true;
}

bool TCNFFileMan::FileUnchangedSinceLoad() const {
  if (!stamp_.known) return false;
  const std::optional<DirEntry> entry = fs_.findFirst(FileName);
  if (!entry || entry->size != stamp_.size) return false;
  auto now = fs_.readFile(FileName, stamp_.span);
  return now && now->size() == stamp_.span && CRC32(0, now->data(), int64_t(now->size())) == stamp_.crc;
}

}  // namespace vorn
