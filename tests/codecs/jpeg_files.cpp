#include "jpeg_files.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace vorn::testing {

std::vector<uint8_t> makeJpeg(const Bitmap24& pic, JpegKind kind, int quality) {
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* buf = nullptr;
  unsigned long len = 0;
  jpeg_mem_dest(&c, &buf, &len);
  c.image_width = JDIMENSION(pic.width());
  c.image_height = JDIMENSION(pic.height());
  const bool cmyk = kind == JpegKind::Cmyk || kind == JpegKind::AdobeCmyk;
  c.input_components = kind == JpegKind::Grey ? 1 : cmyk ? 4 : 3;
  c.in_color_space = kind == JpegKind::Grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, quality, TRUE);
  if (cmyk) {
    jpeg_set_colorspace(&c, JCS_CMYK);
    c.write_Adobe_marker = kind == JpegKind::AdobeCmyk;
  }
  if (kind == JpegKind::Progressive) jpeg_simple_progression(&c);
  if (kind == JpegKind::Chroma444 || kind == JpegKind::Chroma422) {
    c.comp_info[0].h_samp_factor = kind == JpegKind::Chroma444 ? 1 : 2;
    c.comp_info[0].v_samp_factor = 1;
  }
  if (kind == JpegKind::Chroma444) {
    c.restart_in_rows = 1;
    c.optimize_coding = TRUE;
  }
  if (kind == JpegKind::Arithmetic) c.arith_code = TRUE;
  jpeg_start_compress(&c, TRUE);
  std::vector<uint8_t> row(size_t(pic.width()) * 4);
  while (c.next_scanline < c.image_height) {
    const uint8_t* s = pic.row(int32_t(c.next_scanline));
    for (int32_t x = 0; x < pic.width(); ++x) {
      const uint8_t b = s[3 * x], g = s[3 * x + 1], r = s[3 * x + 2];
      if (kind == JpegKind::Grey) {
        row[size_t(x)] = uint8_t((r * 77 + g * 150 + b * 29) >> 8);
      } else if (cmyk) {  // no black ink; Adobe files store inverted inks
        const bool inv = kind == JpegKind::AdobeCmyk;
        row[4 * x] = inv ? r : uint8_t(255 - r);
        row[4 * x + 1] = inv ? g : uint8_t(255 - g);
        row[4 * x + 2] = inv ? b : uint8_t(255 - b);
        row[4 * x + 3] = inv ? 255 : 0;
      } else {
        row[3 * x] = r, row[3 * x + 1] = g, row[3 * x + 2] = b;
      }
    }
    JSAMPROW rp = row.data();
    jpeg_write_scanlines(&c, &rp, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::vector<uint8_t> out(buf, buf + len);
  free(buf);
  return out;
}

std::vector<uint8_t> withExifBytes(const std::vector<uint8_t>& jpeg, const std::vector<uint8_t>& tiff) {
  std::vector<uint8_t> seg = {'E', 'x', 'i', 'f', 0, 0};
  seg.insert(seg.end(), tiff.begin(), tiff.end());
  const size_t len = seg.size() + 2;
  std::vector<uint8_t> out(jpeg.begin(), jpeg.begin() + 2);
  out.insert(out.end(), {0xFF, 0xE1, uint8_t(len >> 8), uint8_t(len)});
  out.insert(out.end(), seg.begin(), seg.end());
  out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
  return out;
}

std::vector<uint8_t> withExif(const std::vector<uint8_t>& jpeg, int orientation, bool bigEndian) {
  std::vector<uint8_t> t;
  auto u16 = [&](uint32_t v) {
    if (bigEndian) t.insert(t.end(), {uint8_t(v >> 8), uint8_t(v)});
    else t.insert(t.end(), {uint8_t(v), uint8_t(v >> 8)});
  };
  auto u32 = [&](uint32_t v) {
    if (bigEndian) u16(v >> 16), u16(v & 0xFFFF);
    else u16(v & 0xFFFF), u16(v >> 16);
  };
  t.insert(t.end(), bigEndian ? 'M' : 'I');
  t.insert(t.end(), bigEndian ? 'M' : 'I');
  u16(42);
  u32(8);
  u16(2);
  u16(0x010F), u16(2), u32(4), t.insert(t.end(), {'C', 'a', 'm', 0});  // Make, inline
  u16(0x0112), u16(3), u32(1), u16(uint32_t(orientation)), u16(0);
  u32(0);  // no next directory
  return withExifBytes(jpeg, t);
}

size_t jpegPrecisionOffset(const std::vector<uint8_t>& f) {
  for (size_t i = 2; i + 4 < f.size(); ++i)
    if (f[i] == 0xFF && (f[i + 1] == 0xC0 || f[i + 1] == 0xC2)) return i + 4;
  return 0;
}

}  // namespace vorn::testing
