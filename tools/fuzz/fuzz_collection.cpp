// The collection reader on arbitrary bytes: it must never crash, and whatever
// it accepts must come back unchanged through a save and a second load.
#include <cstdlib>
#include <cstring>

#include "collection/cnf_file_man.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_message_box.h"

namespace {

constexpr const char* kPath = "C:\\Vorn\\Vorn.CNF";

void require(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vorn;
  fake::FakeFileSystem fs;
  fake::FakeMessageBoxes boxes;
  fs.addFile(kPath, std::vector<uint8_t>(data, data + size));
  TCNFFileMan man(fs, boxes, "C:\\Vorn\\Vorn.scr");
  man.Now = [] { return 45000.25; };
  man.LoadFromFile();
  require(man.Count() >= 0);
  require(man.LastLoadMissing() >= 0);
  if (!man.LastLoadAccepted()) {
    require(man.Count() == 0);
    return 0;
  }
  require(man.SaveToFile());

  TCNFFileMan again(fs, boxes, "C:\\Vorn\\Vorn.scr");
  again.LoadFromFile();
  require(again.LastLoadAccepted());
  require(again.LastLoadMissing() == 0);
  require(std::memcmp(man.header.bytes(), again.header.bytes(), TCNFHeader::kSize) == 0);
  require(again.Count() == man.Count());
  TCNFItem a, b;
  for (int i = 0; i < man.Count(); ++i) {
    require(man.GetItem(i, a) && again.GetItem(i, b));
    require(std::memcmp(a.bytes(), b.bytes(), TCNFItem::kSize) == 0);
  }
  return 0;
}
