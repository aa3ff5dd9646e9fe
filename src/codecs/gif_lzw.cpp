#include "codecs/gif_lzw.h"

#include <memory>
#include <string>

namespace vorn::codecs {
namespace {

constexpr int kMaxCodes = 4096;

struct Table {
  uint16_t prefix[kMaxCodes];
  uint8_t suffix[kMaxCodes];
  uint8_t first[kMaxCodes];
  uint16_t length[kMaxCodes];
};

}  // namespace

Status lzwDecode(int minCodeSize, const uint8_t* data, size_t size, uint8_t* out, size_t count) {
  if (minCodeSize < 2 || minCodeSize > 8)
    return makeError("GIF image has a bad LZW code size (" + std::to_string(minCodeSize) + ")");
  auto t = std::make_unique<Table>();
  const int clear = 1 << minCodeSize, eoi = clear + 1;
  for (int i = 0; i < clear; ++i) {
    t->prefix[i] = 0;
    t->suffix[i] = t->first[i] = uint8_t(i);
    t->length[i] = 1;
  }
  int codeSize = minCodeSize + 1, next = clear + 2, prev = -1;
  uint32_t acc = 0;
  int bits = 0;
  size_t pos = 0, o = 0;
  while (o < count) {
    while (bits < codeSize) {
      if (pos >= size) return {};  // data ended: the rest stays 0
      acc |= uint32_t(data[pos++]) << bits;
      bits += 8;
    }
    const int code = int(acc & ((1u << codeSize) - 1));
    acc >>= codeSize;
    bits -= codeSize;
    if (code == clear) {
      codeSize = minCodeSize + 1;
      next = clear + 2;
      prev = -1;
      continue;
    }
    if (code == eoi) break;
    if (prev < 0) {
      if (code > clear) return makeError("GIF image data is corrupt");
      out[o++] = uint8_t(code);
      prev = code;
      continue;
    }
    uint8_t head;
    if (code < next) head = t->first[code];
    else if (code == next) head = t->first[prev];  // the string being defined: prev + its own first
    else return makeError("GIF image data is corrupt");
    if (next < kMaxCodes) {
      t->prefix[next] = uint16_t(prev);
      t->suffix[next] = head;
      t->first[next] = t->first[prev];
      t->length[next] = uint16_t(t->length[prev] + 1);
      ++next;
      if (next == (1 << codeSize) && codeSize < 12) ++codeSize;
    }
    // Write the string back to front; the part past the last pixel is cut.
    const size_t len = t->length[code];
    int c = code;
    for (size_t k = len; k-- > 0;) {
      if (o + k < count) out[o + k] = t->suffix[c];
      c = t->prefix[c];
    }
    o += len;
    prev = code;
  }
  return {};
}

}  // namespace vorn::codecs
