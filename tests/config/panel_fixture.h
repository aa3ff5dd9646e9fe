#pragma once
// The installed saver the configuration panel tests open: Vorn.scr in
// C:\Vorn, its collection beside it and the media in C:\Vorn\Vorn\, all on a
// fake disk, with the collection state the panel loads.
#include <cstdint>
#include <string>

#include "collection/collection_state.h"
#include "collection/crc32.h"
#include "collection/fake/fake_collection_host.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_message_box.h"

namespace vorn::testing {

inline constexpr const char* kPanelExe = "C:\\Vorn\\Vorn.scr";
inline constexpr const char* kPanelCnf = "C:\\Vorn\\Vorn.CNF";
inline constexpr const char* kPanelMediaDir = "C:\\Vorn\\Vorn\\";

struct PanelDisk {
  fake::FakeFileSystem fs;
  fake::FakeMessageBoxes boxes;
  fake::FakeCollectionHost host{kPanelExe};
  TCollectionState state{fs, boxes};

  PanelDisk() { fs.addFile(kPanelExe, std::string("MZ")); }
};

// A collection record for the media file at `onDisk`, stored as `stored`,
// with the file's checksum as the loader checks it.
inline TCNFItem itemForFile(fake::FakeFileSystem& fs, const std::string& onDisk, const std::string& stored) {
  auto bytes = *fs.contents(onDisk);
  TCNFItem it;
  it.zeroFill();
  it.setMediaPath(stored);
  it.setMediaCRC(int64_t(mediaCrcOf(bytes.data(), bytes.size())));
  return it;
}

}  // namespace vorn::testing
