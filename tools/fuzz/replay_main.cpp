// Runs a fuzz target over files without libFuzzer: each argument is a file
// or a folder of files (not recursive). Prints how many inputs ran.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

int runFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  if (!in) return 0;
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 0;
  for (int i = 1; i < argc; ++i) {
    std::error_code ec;
    const std::filesystem::path p(argv[i]);
    if (std::filesystem::is_directory(p, ec)) {
      for (const auto& e : std::filesystem::directory_iterator(p, ec))
        if (e.is_regular_file(ec)) runs += runFile(e.path());
    } else {
      runs += runFile(p);
    }
  }
  std::printf("%s: %d inputs replayed\n", argc > 0 ? argv[0] : "replay", runs);
  return 0;
}
