#pragma once
// Metafiles written byte by byte, without the platform: for the size tests,
// the fuzz seeds and the Windows decoder's tests.
#include <cstdint>
#include <vector>

#include "byte_writer.h"

namespace vorn::testing {

// An enhanced-metafile header record painting 20 x 10 pixels inside a
// 50 x 25 mm frame, made for a reference device of `deviceX` pixels over
// `millimetresX` mm across (800 pixels over 200 mm down).
inline Bytes emfHeader(int32_t deviceX, int32_t millimetresX, uint32_t fileBytes = 88, uint32_t records = 1) {
  Bytes b;
  b.u32(1).u32(88);                         // record type EMR_HEADER, record size
  b.i32(10).i32(5).i32(29).i32(14);         // rclBounds: the painted 20 x 10 pixels
  b.i32(0).i32(0).i32(5000).i32(2500);      // rclFrame: 50 x 25 mm
  b.u32(0x464D4520).u32(0x10000);           // signature " EMF", version
  b.u32(fileBytes).u32(records).u16(1).u16(0);  // bytes, records, handles, reserved
  b.u32(0).u32(0).u32(0);                   // description length and offset, palette entries
  b.i32(deviceX).i32(800);                  // szlDevice: reference device in pixels
  b.i32(millimetresX).i32(200);             // szlMillimeters: the same in mm
  return b;
}

// A whole enhanced metafile: the header above, one rectangle, the end record.
inline std::vector<uint8_t> smallEmf() {
  Bytes b = emfHeader(1000, 250, 88 + 24 + 20, 3);
  b.u32(43).u32(24).i32(10).i32(5).i32(29).i32(14);  // EMR_RECTANGLE over the painted pixels
  b.u32(14).u32(20).u32(0).u32(16).u32(20);          // EMR_EOF: no palette, its own size last
  return b.v;
}

// A placeable Windows metafile of 40 x 30 pixels (at 96 units an inch) that
// sets its window and draws one rectangle.
inline std::vector<uint8_t> smallWmf() {
  Bytes b;
  b.u32(0x9AC6CDD7).u16(0);                  // key, handle
  b.u16(0).u16(0).u16(40).u16(30).u16(96);   // bounding box, units an inch
  b.u32(0);                                  // reserved
  uint16_t sum = 0;
  for (size_t i = 0; i < 20; i += 2) sum ^= uint16_t(b.v[i] | (b.v[i + 1] << 8));
  b.u16(sum);                                // checksum of the ten words before it
  b.u16(1).u16(9).u16(0x300);                // in memory, header words, version
  b.u32(9 + 5 + 5 + 7 + 3).u16(0).u32(7).u16(0);  // file words, objects, largest record, unused
  b.u32(5).u16(0x020B).u16(0).u16(0);        // META_SETWINDOWORG y, x
  b.u32(5).u16(0x020C).u16(30).u16(40);      // META_SETWINDOWEXT y, x
  b.u32(7).u16(0x041B).u16(20).u16(30).u16(5).u16(10);  // META_RECTANGLE bottom, right, top, left
  b.u32(3).u16(0);                           // end of file
  return b.v;
}

}  // namespace vorn::testing
