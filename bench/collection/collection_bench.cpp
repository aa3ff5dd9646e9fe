// Loads and verifies a 1000-item collection over 1000 small media files on
// the real disk, beside floors measured in the same run: one plain read of
// the collection file, and plain 4 KiB reads of every media file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "collection/cnf_file_man.h"
#include "collection/collection_state.h"
#include "platform/posix_file_system.h"

using namespace vorn;

namespace {

class QuietBoxes final : public MessageBoxes {
 public:
  void show(const std::string& t, const std::string&) override { std::fprintf(stderr, "box: %s\n", t.c_str()); }
};

template <typename F>
double bestMs(int rounds, F&& f) {
  double best = 1e30;
  for (int r = 0; r < rounds; ++r) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    const auto t1 = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double, std::milli>(t1 - t0).count());
  }
  return best;
}

size_t plainRead(const std::string& path, std::vector<uint8_t>& buf) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return 0;
  const ssize_t n = ::read(fd, buf.data(), buf.size());
  ::close(fd);
  return n > 0 ? size_t(n) : 0;
}

}  // namespace

int main() {
  constexpr int kItems = 1000;
  char tmpl[] = "/tmp/vorn-coll-bench-XXXXXX";
  const std::string dir = mkdtemp(tmpl);
  const std::string media = dir + "/Vorn/";
  ::mkdir(media.c_str(), 0755);

  PosixFileSystem fs;
  QuietBoxes boxes;
  TCNFFileMan writer(fs, boxes);
  writer.FileName = dir + "/Vorn.CNF";
  std::vector<std::string> names;
  for (int i = 0; i < kItems; ++i) {
    std::vector<uint8_t> bytes(2000 + (i % 7) * 700);  // 2 to 6 KiB, some past the 4 KiB span
    for (size_t k = 0; k < bytes.size(); ++k) bytes[k] = uint8_t(k * 31 + i);
    const std::string name = "pic" + std::to_string(i) + ".bmp";
    names.push_back(media + name);
    FILE* f = std::fopen(names.back().c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    TCNFItem it;
    it.zeroFill();
    it.setMediaPath("D:\\forras\\" + name);
    it.setMediaCRC(int64_t(mediaCrcOf(bytes.data(), bytes.size())));
    writer.Add(it);
  }
  if (!writer.SaveToFile()) return 1;

  MediaLocation where{false, dir + "/Vorn\\", dir + "/Vorn\\BckSnd\\"};
  TCNFFileMan man(fs, boxes);
  man.FileName = writer.FileName;
  int held = 0, bad = 0;
  const double load = bestMs(30, [&] {
    man.LoadFromFile();
    held = man.Count();
  });
  TCNFItem buffer;
  const double verify = bestMs(10, [&] { bad = firstChangedItem(man, fs, where, buffer); });

  std::vector<uint8_t> span(4096, 0x5A);
  uint32_t sink = 0;
  const double crcOnly = bestMs(10, [&] {
    for (int i = 0; i < kItems; ++i) sink ^= CRC32(0, span.data(), 4096);
  });
  std::vector<uint8_t> big(TCNFHeader::kSize + kItems * TCNFItem::kSize + 1), small(4096);
  const double floorIndex = bestMs(30, [&] { plainRead(writer.FileName, big); });
  const double floorVerify = bestMs(10, [&] {
    for (const auto& n : names) plainRead(n, small);
  });

  std::printf("collection bench: %d items, %d held, first bad %d\n", kItems, held, bad);
  std::printf("  index load      %8.3f ms   (floor: one plain read of the file %.3f ms; goal < 5 ms)\n",
              load, floorIndex);
  std::printf("  load + verify   %8.3f ms   (floor: plain 4 KiB reads of %d files %.3f ms)\n",
              load + verify, kItems, floorVerify);
  std::printf("  of which CRC    %8.3f ms   (1000 x 4 KiB in memory; %08x)\n", crcOnly, unsigned(sink & 0));
  std::system(("rm -rf '" + dir + "'").c_str());
  return held == kItems && bad == -1 ? 0 : 1;
}
