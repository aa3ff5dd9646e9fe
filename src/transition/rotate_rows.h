#pragma once
// The inner loop of the rotation styles: one target row segment copied from
// source pixels at fixed-point coordinates stepped along the row. Shared by
// the plain loop and the wider one chosen at run time.
#include <cstdint>

namespace vorn::rotate {

// Coordinates are in units of 2^-kFracBits, biased by a half so that the
// integer part is the rounded coordinate itself.
constexpr int kFracBits = 44;
constexpr int64_t kOne = int64_t(1) << kFracBits;
constexpr uint64_t kFracMask = uint64_t(kOne) - 1;
constexpr uint64_t kHalf = uint64_t(1) << (kFracBits - 1);
constexpr uint64_t kMargin = uint64_t(1) << (kFracBits - 24);  // 2^-24

// A biased coordinate whose fraction lies more than kMargin from an integer
// rounds the same way as the extended-precision form.
inline bool sure(int64_t e) { return ((uint64_t(e) + kMargin) & kFracMask) >= 2 * kMargin; }

struct Segment {
  const uint8_t* src;
  int64_t stride;
  int64_t wordEnd;  // a 4-byte load at or before this offset stays inside
  int64_t C, S;     // steps of u and v per target pixel
};

// Copies pixels x .. b-1 (d points at pixel x) while both coordinates are
// sure; returns where it stopped (b when it went through).
inline int32_t copyPlain(const Segment& g, uint8_t* d, int64_t eu, int64_t ev, int32_t x, int32_t b) {
  // Every pixel but the segment's last is stored as a word whose fourth
  // byte the next pixel overwrites.
  for (; x < b; ++x, d += 3, eu += g.C, ev += g.S) {
    if (!sure(eu) || !sure(ev)) return x;
    const int64_t off = (ev >> kFracBits) * g.stride + 3 * (eu >> kFracBits);
    if (x + 1 < b && off <= g.wordEnd)
      __builtin_memcpy(d, g.src + off, 4);
    else
      __builtin_memcpy(d, g.src + off, 3);
  }
  return b;
}

// The shape of all the row copies below.
using CopyFn = int32_t (*)(const Segment& g, uint8_t* d, int64_t eu, int64_t ev, int32_t x, int32_t b);

// The same with eight pixels at a time in 256-bit registers; only to be
// called where the processor has AVX2. Produces exactly copyPlain's bytes.
int32_t copyAvx2(const Segment& g, uint8_t* d, int64_t eu, int64_t ev, int32_t x, int32_t b);

// The same with eight pixels at a time in 512-bit registers; only where the
// processor has AVX-512 (F).
int32_t copyAvx512(const Segment& g, uint8_t* d, int64_t eu, int64_t ev, int32_t x, int32_t b);

// Whether the processor (and the system) lets these run here.
bool haveAvx2();
bool haveAvx512();

// Source pixels ahead of the one being copied that the wide loops ask for
// early: the steps along a row jump between source rows, which the
// processor's own prefetching does not follow.
constexpr int64_t kAheadPixels = 96;

// The pixel kAheadPixels along the row from the one being copied, asked for
// once per eight. A position outside the source is harmless to ask for.
struct Lookahead {
  int64_t u, v;
  Lookahead(const Segment& g, int64_t eu, int64_t ev) : u(eu + kAheadPixels * g.C), v(ev + kAheadPixels * g.S) {}
  void next8(const Segment& g) {
    const uintptr_t at =
        reinterpret_cast<uintptr_t>(g.src) + uintptr_t((v >> kFracBits) * g.stride + 3 * (u >> kFracBits));
    __builtin_prefetch(reinterpret_cast<const void*>(at));
    u += 8 * g.C;
    v += 8 * g.S;
  }
};

}  // namespace vorn::rotate
