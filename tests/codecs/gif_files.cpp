#include "gif_files.h"

#include "byte_writer.h"

namespace vorn::testing {
namespace {

int tableBits(size_t n) {  // the packed size field: 2^(bits+1) entries
  int b = 0;
  while ((size_t(2) << b) < n) ++b;
  return b;
}

void writeTable(Bytes& b, const std::vector<Color>& t) {
  const size_t n = size_t(2) << tableBits(t.size());
  for (size_t i = 0; i < n; ++i) {
    const Color c = i < t.size() ? t[i] : 0;
    b.u8(redOf(c)).u8(greenOf(c)).u8(blueOf(c));
  }
}

}  // namespace

std::vector<uint8_t> lzwEncode(const std::vector<uint8_t>& pixels, int m) {
  const int clear = 1 << m, eoi = clear + 1;
  std::vector<uint8_t> out;
  uint32_t acc = 0;
  int bits = 0, codeSize = m + 1, next = clear + 2;
  auto emit = [&](int code) {
    acc |= uint32_t(code) << bits;
    bits += codeSize;
    while (bits >= 8) {
      out.push_back(uint8_t(acc));
      acc >>= 8;
      bits -= 8;
    }
  };
  std::vector<uint32_t> stamp(4096 * 256, 0), code(4096 * 256, 0);
  uint32_t gen = 1;
  emit(clear);
  if (pixels.empty()) {
    emit(eoi);
    if (bits) out.push_back(uint8_t(acc));
    return out;
  }
  int prefix = pixels[0];
  for (size_t i = 1; i < pixels.size(); ++i) {
    const size_t key = size_t(prefix) * 256 + pixels[i];
    if (stamp[key] == gen) {
      prefix = int(code[key]);
      continue;
    }
    emit(prefix);
    stamp[key] = gen;
    code[key] = uint32_t(next++);
    // The decoder defines each entry one code later, hence the "+ 1".
    if (next > (1 << codeSize) && codeSize < 12) ++codeSize;
    if (next == 4096) {
      emit(clear);
      ++gen;
      codeSize = m + 1;
      next = clear + 2;
    }
    prefix = pixels[i];
  }
  emit(prefix);
  emit(eoi);
  if (bits) out.push_back(uint8_t(acc));
  return out;
}

std::vector<uint8_t> subBlocks(const std::vector<uint8_t>& data) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i < data.size(); i += 255) {
    const size_t n = std::min<size_t>(255, data.size() - i);
    out.push_back(uint8_t(n));
    out.insert(out.end(), data.begin() + long(i), data.begin() + long(i + n));
  }
  out.push_back(0);
  return out;
}

std::vector<uint8_t> makeGif(const GifSpec& s) {
  Bytes b;
  b.text("GIF").text(s.version).u16(s.width).u16(s.height);
  const bool global = !s.globalTable.empty();
  b.u8((global ? 0x80 : 0) | 0x70 | (global ? tableBits(s.globalTable.size()) : 0)).u8(0).u8(0);
  if (global) writeTable(b, s.globalTable);
  if (s.comment) {
    b.u8(0x21).u8(0xFE).raw(subBlocks({'h', 'i'}));
    b.u8(0x21).u8(0xFF).u8(11).text("NETSCAPE2.0").raw({3, 1, 0, 0, 0});
  }
  for (const GifImageSpec& im : s.images) {
    if (im.delay >= 0) {
      b.u8(0x21).u8(0xF9).u8(4);
      b.u8((1 << 2) | (im.transparent >= 0 ? 1 : 0)).u16(uint32_t(im.delay));
      b.u8(uint32_t(im.transparent >= 0 ? im.transparent : 0)).u8(0);
    }
    b.u8(0x2C).u16(im.left).u16(im.top).u16(im.width).u16(im.height);
    const bool local = !im.localTable.empty();
    const std::vector<Color>& table = local ? im.localTable : s.globalTable;
    b.u8((local ? 0x80 | tableBits(table.size()) : 0) | (im.interlaced ? 0x40 : 0));
    if (local) writeTable(b, table);
    int m = im.minCodeSize >= 0 ? im.minCodeSize : std::max(2, tableBits(table.size()) + 1);
    b.u8(uint32_t(m));
    if (!im.rawData.empty()) {
      b.raw(subBlocks(im.rawData));
      continue;
    }
    std::vector<uint8_t> order = im.pixels;
    if (im.interlaced) {  // rows in pass order
      order.clear();
      static const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
      for (int p = 0; p < 4; ++p)
        for (int y = start[p]; y < im.height; y += step[p])
          order.insert(order.end(), im.pixels.begin() + long(y) * im.width,
                       im.pixels.begin() + long(y + 1) * im.width);
    }
    b.raw(subBlocks(lzwEncode(order, m)));
  }
  if (s.trailer) b.u8(0x3B);
  return b.v;
}

}  // namespace vorn::testing
