#include "writers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <cstring>

extern "C" {
#include <jpeglib.h>
}

namespace demogen {
namespace {

void le16(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(uint8_t(x));
  v.push_back(uint8_t(x >> 8));
}
void le32(std::vector<uint8_t>& v, uint32_t x) {
  le16(v, x & 0xFFFF);
  le16(v, x >> 16);
}

void bitmapInfoHeader(std::vector<uint8_t>& v, int w, int h, int bpp, uint32_t imageSize) {
  le32(v, 40);
  le32(v, uint32_t(w));
  le32(v, uint32_t(h));
  le16(v, 1);
  le16(v, uint32_t(bpp));
  le32(v, 0);  // BI_RGB
  le32(v, imageSize);
  le32(v, 2835);  // 72 dpi
  le32(v, 2835);
  le32(v, 0);
  le32(v, 0);
}

// GIF's variable-width LZW: codes packed least significant bit first, in
// sub-blocks of at most 255 bytes.
class LzwWriter {
 public:
  explicit LzwWriter(std::vector<uint8_t>& out) : out_(out) {}
  void code(uint32_t c, int bits) {
    acc_ |= c << nbits_;
    nbits_ += bits;
    while (nbits_ >= 8) {
      byte(uint8_t(acc_));
      acc_ >>= 8;
      nbits_ -= 8;
    }
  }
  void finish() {
    if (nbits_ > 0) byte(uint8_t(acc_));
    flushBlock();
    out_.push_back(0);  // block terminator
  }

 private:
  void byte(uint8_t b) {
    block_.push_back(b);
    if (block_.size() == 255) flushBlock();
  }
  void flushBlock() {
    if (block_.empty()) return;
    out_.push_back(uint8_t(block_.size()));
    out_.insert(out_.end(), block_.begin(), block_.end());
    block_.clear();
  }
  std::vector<uint8_t>& out_;
  std::vector<uint8_t> block_;
  uint32_t acc_ = 0;
  int nbits_ = 0;
};

uint8_t cubeIndex(const Rgb& p) {
  auto q = [](uint8_t v) { return (v * 5 + 127) / 255; };
  return uint8_t(q(p.r) * 36 + q(p.g) * 6 + q(p.b));
}

}  // namespace

std::vector<uint8_t> encodeBmp(const Canvas& c) {
  const uint32_t stride = (uint32_t(c.w) * 3 + 3) & ~3u;
  const uint32_t imageSize = stride * uint32_t(c.h);
  std::vector<uint8_t> v;
  v.push_back('B');
  v.push_back('M');
  le32(v, 14 + 40 + imageSize);
  le32(v, 0);
  le32(v, 14 + 40);
  bitmapInfoHeader(v, c.w, c.h, 24, imageSize);
  for (int y = c.h - 1; y >= 0; --y) {
    for (int x = 0; x < c.w; ++x) {
      const Rgb& p = c.at(x, y);
      v.push_back(p.b);
      v.push_back(p.g);
      v.push_back(p.r);
    }
    for (uint32_t k = uint32_t(c.w) * 3; k < stride; ++k) v.push_back(0);
  }
  return v;
}

std::vector<uint8_t> encodeGif(const Canvas& c) {
  std::vector<uint8_t> v = {'G', 'I', 'F', '8', '9', 'a'};
  le16(v, uint32_t(c.w));
  le16(v, uint32_t(c.h));
  v.push_back(0xF7);  // global colour table of 256 entries, 8 bits of colour resolution
  v.push_back(0);     // background colour index
  v.push_back(0);     // no aspect ratio
  for (int i = 0; i < 256; ++i) {
    const int r = i / 36, g = (i / 6) % 6, b = i % 6;
    const bool inCube = i < 216;
    v.push_back(uint8_t(inCube ? r * 51 : 0));
    v.push_back(uint8_t(inCube ? g * 51 : 0));
    v.push_back(uint8_t(inCube ? b * 51 : 0));
  }
  v.push_back(0x2C);  // image descriptor
  le16(v, 0);
  le16(v, 0);
  le16(v, uint32_t(c.w));
  le16(v, uint32_t(c.h));
  v.push_back(0);  // no local table, not interlaced
  constexpr int kMin = 8;
  constexpr uint32_t kClear = 1u << kMin, kEnd = kClear + 1;
  v.push_back(kMin);
  LzwWriter lzw(v);
  // next[code * 256 + byte] = the code of (string of code) + byte, 0 = none.
  std::vector<uint16_t> next(4096 * 256, 0);
  int bits = kMin + 1;
  uint32_t maxCode = kEnd;
  lzw.code(kClear, bits);
  uint32_t cur = cubeIndex(c.px[0]);
  for (size_t i = 1; i < c.px.size(); ++i) {
    const uint8_t k = cubeIndex(c.px[i]);
    if (uint16_t n = next[cur * 256 + k]) {
      cur = n;
      continue;
    }
    lzw.code(cur, bits);
    next[cur * 256 + k] = uint16_t(++maxCode);
    if (maxCode >= (1u << bits)) ++bits;
    if (maxCode == 4095) {
      lzw.code(kClear, bits);
      std::fill(next.begin(), next.end(), 0);
      bits = kMin + 1;
      maxCode = kEnd;
    }
    cur = k;
  }
  lzw.code(cur, bits);
  lzw.code(kEnd, bits);
  lzw.finish();
  v.push_back(0x3B);  // trailer
  return v;
}

std::vector<uint8_t> encodeIco(const Canvas& c) {
  const uint32_t xorSize = uint32_t(c.w) * uint32_t(c.h) * 4;
  const uint32_t maskStride = ((uint32_t(c.w) + 31) / 32) * 4;
  const uint32_t imageSize = 40 + xorSize + maskStride * uint32_t(c.h);
  std::vector<uint8_t> v;
  le16(v, 0);
  le16(v, 1);  // icon
  le16(v, 1);  // one image
  v.push_back(uint8_t(c.w == 256 ? 0 : c.w));
  v.push_back(uint8_t(c.h == 256 ? 0 : c.h));
  v.push_back(0);  // no palette
  v.push_back(0);
  le16(v, 1);   // planes
  le16(v, 32);  // bits per pixel
  le32(v, imageSize);
  le32(v, 6 + 16);
  bitmapInfoHeader(v, c.w, c.h * 2, 32, xorSize + maskStride * uint32_t(c.h));
  for (int y = c.h - 1; y >= 0; --y)
    for (int x = 0; x < c.w; ++x) {
      const Rgb& p = c.at(x, y);
      v.push_back(p.b);
      v.push_back(p.g);
      v.push_back(p.r);
      v.push_back(255);
    }
  v.insert(v.end(), maskStride * uint32_t(c.h), 0);  // AND mask: every pixel opaque
  return v;
}

bool encodeJpeg(const Canvas& c, int quality, std::vector<uint8_t>& out) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);  // errors here are programming errors: exit is fine
  jpeg_create_compress(&cinfo);
  unsigned char* mem = nullptr;
  unsigned long memSize = 0;
  jpeg_mem_dest(&cinfo, &mem, &memSize);
  cinfo.image_width = JDIMENSION(c.w);
  cinfo.image_height = JDIMENSION(c.h);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> row(size_t(c.w) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    for (int x = 0; x < c.w; ++x) {
      const Rgb& p = c.at(x, int(cinfo.next_scanline));
      row[size_t(x) * 3] = p.r, row[size_t(x) * 3 + 1] = p.g, row[size_t(x) * 3 + 2] = p.b;
    }
    JSAMPROW rp = row.data();
    jpeg_write_scanlines(&cinfo, &rp, 1);
  }
  jpeg_finish_compress(&cinfo);
  out.assign(mem, mem + memSize);
  jpeg_destroy_compress(&cinfo);
  std::free(mem);
  return !out.empty();
}

std::vector<uint8_t> encodeWavTone(double hz, double seconds, int rate) {
  const uint32_t frames = uint32_t(seconds * rate);
  std::vector<uint8_t> v = {'R', 'I', 'F', 'F'};
  le32(v, 36 + frames * 2);
  for (char ch : std::string("WAVEfmt ")) v.push_back(uint8_t(ch));
  le32(v, 16);
  le16(v, 1);  // PCM
  le16(v, 1);  // mono
  le32(v, uint32_t(rate));
  le32(v, uint32_t(rate) * 2);
  le16(v, 2);
  le16(v, 16);
  for (char ch : std::string("data")) v.push_back(uint8_t(ch));
  le32(v, frames * 2);
  const double fade = 0.05 * rate;
  for (uint32_t i = 0; i < frames; ++i) {
    const double env = std::min({1.0, i / fade, (frames - i) / fade});
    const double s = 0.3 * env * (std::sin(2 * M_PI * hz * i / rate) + 0.3 * std::sin(4 * M_PI * hz * i / rate));
    le16(v, uint32_t(int16_t(s * 32767)) & 0xFFFF);
  }
  return v;
}

namespace {

void fourcc(std::vector<uint8_t>& v, const char* c) {
  for (int i = 0; i < 4; ++i) v.push_back(uint8_t(c[i]));
}

// Opens a chunk (or a LIST with its type); close() fills in its size.
size_t openChunk(std::vector<uint8_t>& v, const char* id, const char* listType = nullptr) {
  fourcc(v, id);
  const size_t at = v.size();
  le32(v, 0);
  if (listType) fourcc(v, listType);
  return at;
}
void closeChunk(std::vector<uint8_t>& v, size_t at) {
  const uint32_t n = uint32_t(v.size() - at - 4);
  for (int i = 0; i < 4; ++i) v[at + i] = uint8_t(n >> (8 * i));
  if (n % 2) v.push_back(0);
}

}  // namespace

std::vector<uint8_t> encodeAvi(const std::vector<Canvas>& frames, int fps) {
  const int w = frames.at(0).w, h = frames.at(0).h;
  // 32 bits a pixel (BGR and an unused byte): Wine reads the frames of an
  // uncompressed 24-bit movie as 32-bit ones and draws them garbled.
  const uint32_t stride = uint32_t(w) * 4, frameBytes = stride * uint32_t(h);
  const uint32_t count = uint32_t(frames.size());
  std::vector<uint8_t> v;
  const size_t riff = openChunk(v, "RIFF", "AVI ");
  const size_t hdrl = openChunk(v, "LIST", "hdrl");
  const size_t avih = openChunk(v, "avih");
  le32(v, uint32_t(1000000 / fps));  // microseconds per frame
  le32(v, frameBytes * uint32_t(fps));
  le32(v, 0);
  le32(v, 0x10);  // AVIF_HASINDEX
  le32(v, count);
  le32(v, 0);
  le32(v, 1);  // streams
  le32(v, frameBytes);
  le32(v, uint32_t(w));
  le32(v, uint32_t(h));
  for (int i = 0; i < 4; ++i) le32(v, 0);
  closeChunk(v, avih);
  const size_t strl = openChunk(v, "LIST", "strl");
  const size_t strh = openChunk(v, "strh");
  fourcc(v, "vids");
  fourcc(v, "DIB ");
  le32(v, 0);
  le16(v, 0);
  le16(v, 0);
  le32(v, 0);
  le32(v, 1);  // scale
  le32(v, uint32_t(fps));  // rate
  le32(v, 0);
  le32(v, count);
  le32(v, frameBytes);
  le32(v, 0xFFFFFFFF);  // default quality
  le32(v, 0);
  le16(v, 0);
  le16(v, 0);
  le16(v, uint32_t(w));
  le16(v, uint32_t(h));
  closeChunk(v, strh);
  const size_t strf = openChunk(v, "strf");
  bitmapInfoHeader(v, w, h, 32, frameBytes);
  closeChunk(v, strf);
  closeChunk(v, strl);
  closeChunk(v, hdrl);
  const size_t movi = openChunk(v, "LIST", "movi");
  std::vector<uint32_t> offsets;
  for (const Canvas& c : frames) {
    offsets.push_back(uint32_t(v.size() - movi - 4));  // from the "movi" type
    const size_t db = openChunk(v, "00db");
    for (int y = h - 1; y >= 0; --y)  // bottom-up BGRX rows
      for (int x = 0; x < w; ++x) {
        const Rgb& p = c.at(x, y);
        v.insert(v.end(), {p.b, p.g, p.r, 0});
      }
    closeChunk(v, db);
  }
  closeChunk(v, movi);
  const size_t idx1 = openChunk(v, "idx1");
  for (uint32_t off : offsets) {
    fourcc(v, "00db");
    le32(v, 0x10);  // AVIIF_KEYFRAME
    le32(v, off);
    le32(v, frameBytes);
  }
  closeChunk(v, idx1);
  closeChunk(v, riff);
  return v;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace demogen
