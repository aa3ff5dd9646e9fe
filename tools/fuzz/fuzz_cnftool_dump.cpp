// `cnftool dump` (text and JSON) on arbitrary collection bytes: it must end
// with a proper exit code, never crash.
#include <cstdlib>
#include <sstream>

#include "cnftool.h"
#include "platform/fake/fake_file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vorn;
  fake::FakeFileSystem fs;
  fs.addFile("C:\\Vorn\\Vorn.CNF", std::vector<uint8_t>(data, data + size));
  for (bool json : {false, true}) {
    std::ostringstream out, err;
    cnftool::Env env{fs, out, err, [](const std::string& p) { return p; }, [] { return 45000.25; }};
    std::vector<std::string> args{"dump"};
    if (json) args.push_back("--json");
    args.push_back("C:\\Vorn\\Vorn.CNF");
    const int code = cnftool::run(args, env);
    if (code != cnftool::kOk && code != cnftool::kFailed) std::abort();
  }
  return 0;
}
