#pragma once
// A collection manager beside C:\Vorn\Vorn.scr on a fake disk, its clock
// stopped, so the bytes it saves are the same on every run.
#include "collection/cnf_file_man.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_message_box.h"

namespace vorn::testing {

inline constexpr const char* kCnfPath = "C:\\Vorn\\Vorn.CNF";

struct CnfDisk {
  fake::FakeFileSystem fs;
  fake::FakeMessageBoxes boxes;
  TCNFFileMan man{fs, boxes, "C:\\Vorn\\Vorn.scr"};
  CnfDisk() { man.Now = [] { return 45000.5; }; }
};

}  // namespace vorn::testing
