#pragma once
// TCNFFileMan: the collection file in memory, one header and the ordered item
// records, read and written as a whole. Records go in and out by copy; no
// caller ever holds a pointer into the list.
#include <functional>
#include <string>
#include <vector>

#include "collection/cnf_records.h"
#include "platform/file_system.h"
#include "platform/message_box.h"

namespace vorn {

// The reader's messages, Windows-1250.
std::string cnfWrongSignatureText();
std::string cnfFreeFailedText();  // "Néhány memóriatömb nem felszabadítható"

class TCNFFileMan {
 public:
  // FileName starts as programPath with its extension replaced by ".CNF";
  // the loader (INITAll) sets the real one before loading.
  TCNFFileMan(FileSystem& fs, MessageBoxes& boxes, const std::string& programPath = {});

  int Count() const { return static_cast<int>(items_.size()); }
  // 0 <= index < Count: dest is zero-filled, then receives a copy of the
  // record, and the result is true. Otherwise dest stays as it was.
  bool GetItem(int index, TCNFItem& dest) const;
  // Replaces the record at a valid index by a copy; other indexes do nothing.
  void SetItem(int index, const TCNFItem& item);
  int Add(const TCNFItem& item);
  // Removes the record at the index; an invalid index does nothing.
  void Delete(int index);
  void Clear();

  // Reads FileName. Missing file: nothing changes and nothing is said (the
  // loader reports it). Wrong signature: the message box, no items, the header
  // keeps the bytes read. Otherwise the complete records the file holds, up to
  // ItemCount; a partial last record is dropped.
  void LoadFromFile();
  // Writes header (signature, Count as ItemCount, the save time) and every
  // record as a complete new file that replaces the old one in one step.
  // True only then; on failure the old file and the header in memory stay as
  // they were.
  bool SaveToFile();

  // True when the last LoadFromFile found the file and its signature.
  bool LastLoadAccepted() const { return lastLoadAccepted_; }
  // How many records the last load found short of ItemCount (0 for a complete file).
  int LastLoadMissing() const { return lastLoadMissing_; }
  // Whether FileName still holds what the last LoadFromFile read or the last
  // SaveToFile wrote: the same size, and the same bytes as far as the loader
  // took them. False when the file is gone or unreadable, and when nothing
  // was read or written. The configuration panel asks before its save, so
  // a collection that another program replaced while the panel was open is
  // never overwritten with the items read before.
  bool FileUnchangedSinceLoad() const;
  // The bytes SaveToFile would write now (with the given save time).
  std::vector<uint8_t> Serialize(double savedAt) const;

  TCNFHeader header{};
  std::string FileName;
  // Local date and time for SavedAt; replaceable so tests get fixed bytes.
  std::function<double()> Now;

 private:
  FileSystem& fs_;
  MessageBoxes& boxes_;
  std::vector<TCNFItem> items_;
  bool lastLoadAccepted_ = false;
  int lastLoadMissing_ = 0;
  // Size of the file and CRC of its first `span` bytes, as last read or written.
  struct Stamp {
    bool known = false;
    uint64_t size = 0;
    size_t span = 0;
    uint32_t crc = 0;
  };
  Stamp stamp_;
};

// The path with its extension (from the last dot of the file name) replaced.
std::string changeFileExt(const std::string& path, const std::string& ext);

}  // namespace vorn
