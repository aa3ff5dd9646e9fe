#include "codecs/metafile_size.h"

#include "codecs/byte_reader.h"

namespace vorn::codecs {
namespace {

// v * num / den rounded to nearest, away from zero at halves; den > 0.
int64_t scaleRounded(int64_t v, int64_t num, int64_t den) {
  const int64_t p = v * num;
  return p >= 0 ? (p + den / 2) / den : -((-p + den / 2) / den);
}

}  // namespace

Result<MetafileSize> emfSize(const uint8_t* data, size_t size) {
  ByteReader r(data, size);
  const uint32_t type = r.u32();
  r.u32();      // header size
  r.skip(16);   // rclBounds: what is painted, in device pixels
  const int64_t l = r.i32(), t = r.i32(), rr = r.i32(), b = r.i32();  // rclFrame
  const uint32_t signature = r.u32();
  if (!r.ok() || type != 1 || signature != 0x464D4520) return makeError("Invalid metafile");
  r.skip(28);  // version, bytes, records, handles, reserved, description, palette entries
  const int64_t devX = r.i32(), devY = r.i32(), mmX = r.i32(), mmY = r.i32();
  MetafileSize s;
  if (r.ok() && devX > 0 && devY > 0 && mmX > 0 && mmY > 0) {
    s.width = scaleRounded(rr - l, devX, mmX * 100);
    s.height = scaleRounded(b - t, devY, mmY * 100);
  } else {
    s.width = scaleRounded(rr - l, 96, 2540);
    s.height = scaleRounded(b - t, 96, 2540);
  }
  return s;
}

}  // namespace vorn::codecs
