#include "transition/region_builders.h"

#include <algorithm>

namespace vorn {

namespace {

void addRect(ShapeUnion& out, int32_t l, int32_t t, int32_t r, int32_t b) {
  out.rects.push_back(Rect{l, t, r, b});
}

// Kinds that bring a tooth from the far side (right or bottom) and from the
// near side (left or top), for the first half (A <= W) and the second half
// (A > W) of a run.
bool firstHalfFromFar(int k) { return k == 1 || k == 5; }
bool firstHalfFromNear(int k) { return k == 2 || k == 4; }
bool secondHalfFromFar(int k) { return k == 1 || k == 4; }
bool secondHalfFromNear(int k) { return k == 2 || k == 5; }

}  // namespace

int32_t jitter(Random& random, int32_t c) {
  const int32_t first = random.next(c);
  const int32_t second = random.next(c);
  return first - second;
}

void CombRegion(int32_t W, int32_t H, int32_t A, int32_t B, int hk, int vk, int32_t s,
                ShapeUnion& out) {
  if (hk != 0) {
    if (A > W) {
      // Second half: the even bands are full; the odd ones carry the teeth.
      for (int32_t i = 5; i < H + 5; i += 10) {
        addRect(out, 0, i - 5, W, i);
        if (secondHalfFromFar(hk))
          addRect(out, 2 * W - A, i, W, i + 5);
        else if (secondHalfFromNear(hk))
          addRect(out, 0, i, A - W, i + 5);
      }
    } else {
      if (A + s > W) A = W;  // within snap distance of the far edge: complete
      for (int32_t i = 0; i < H + 5; i += 10) {
        if (firstHalfFromFar(hk)) {
          addRect(out, W - A, i, W, i + 5);
        } else if (firstHalfFromNear(hk)) {
          addRect(out, 0, i, A, i + 5);
        } else if (hk == 3) {
          addRect(out, W - A, i, W, i + 5);
          addRect(out, 0, i + 5, A, i + 10);
        }
      }
    }
  }
  if (vk != 0) {
    if (B > H) {
      for (int32_t j = 5; j < W + 5; j += 10) {
        addRect(out, j - 5, 0, j, H);
        if (secondHalfFromFar(vk))
          addRect(out, j, 2 * H - B, j + 5, H);
        else if (secondHalfFromNear(vk))
          addRect(out, j, 0, j + 5, B - H);
      }
    } else {
      if (B + s > H) B = H;
      for (int32_t j = 0; j < W + 5; j += 10) {
        if (firstHalfFromFar(vk)) {
          addRect(out, j, H - B, j + 5, H);
        } else if (firstHalfFromNear(vk)) {
          addRect(out, j, 0, j + 5, B);
        } else if (vk == 3) {
          addRect(out, j, H - B, j + 5, H);
          addRect(out, j + 5, 0, j + 10, B);
        }
      }
    }
  }
}

void ZigzagRegion(int32_t W, int32_t H, int32_t A, int32_t B, int hk, int vk, Random& random,
                  ShapeUnion& out) {
  const int32_t cw = W / 2, ch = H / 2;
  if (hk != 0) {
    const int32_t c = A < W ? W / 7 : 0;
    // Bands overlap by H mod 5 rows so that the last one reaches the bottom.
    const int32_t thick = 5 + H % 5;
    for (int32_t y = 0; y < H; y += 5) {
      const int32_t end = y + thick;
      switch (hk) {
        case 1:
          addRect(out, W - A + jitter(random, c), y, W, end);
          break;
        case 2:
          addRect(out, 0, y, A + jitter(random, c), end);
          break;
        case 3: {
          const int32_t left = (W - A + jitter(random, c)) / 2;
          addRect(out, left, y, cw, end);
          const int32_t right = (W + A + jitter(random, c)) / 2;
          addRect(out, cw, y, right, end);
          break;
        }
        case 4: {
          const int32_t fromRight = W - (A + jitter(random, c)) / 2;
          addRect(out, fromRight, y, W, end);
          const int32_t fromLeft = (A + jitter(random, c)) / 2;
          addRect(out, 0, y, fromLeft, end);
          break;
        }
        default:
          break;
      }
    }
  }
  if (vk != 0) {
    const int32_t c = B < H ? H / 7 : 0;
    const int32_t thick = 5 + W % 5;
    for (int32_t x = 0; x < W; x += 5) {
      const int32_t end = x + thick;
      switch (vk) {
        case 1:
          addRect(out, x, H - B + jitter(random, c), end, H);
          break;
        case 2:
          addRect(out, x, 0, end, B + jitter(random, c));
          break;
        case 3: {
          const int32_t top = (H - B + jitter(random, c)) / 2;
          addRect(out, x, top, end, ch);
          const int32_t bottom = (H + B + jitter(random, c)) / 2;
          addRect(out, x, ch, end, bottom);
          break;
        }
        case 4: {
          const int32_t fromBottom = H - (B + jitter(random, c)) / 2;
          addRect(out, x, fromBottom, end, H);
          const int32_t fromTop = (B + jitter(random, c)) / 2;
          addRect(out, x, 0, end, fromTop);
          break;
        }
        default:
          break;
      }
    }
  }
}

namespace {

// The sizes of the ragged front along a side of length `side` with the edge
// at `reach`: block size f, n blocks ahead of the edge, the first t of them
// near ones.
struct RaggedSizes {
  int32_t f, n, t;
};

RaggedSizes raggedSizes(int32_t side, int32_t reach) {
  const int32_t e = reach < side ? side / 10 : 0;
  const int32_t f = std::max(e / 20, 2);
  return RaggedSizes{f, e / f, (3 * e / f) / 4};
}

// A near block (i <= t) is taken when Random(i) <= 1, a far one when
// Random(i) == 0: one draw per block, from the farthest inward.
bool takeBlock(Random& random, int32_t i, int32_t t) {
  const int32_t nearOne = i <= t ? 1 : 0;
  return nearOne >= random.next(i);
}

}  // namespace

void RaggedRegion(int32_t W, int32_t H, int32_t A, int32_t B, int hk, int vk, Random& random,
                  ShapeUnion& out) {
  if (hk == 1 || hk == 2) {
    const RaggedSizes z = raggedSizes(W, A);
    for (int32_t y = 0; y < H; y += z.f / 2) {
      if (hk == 1)
        addRect(out, W - A, y, W, y + z.f);
      else
        addRect(out, 0, y, A, y + z.f);
      for (int32_t i = z.n; i >= 1; --i) {
        if (!takeBlock(random, i, z.t)) continue;
        if (hk == 1) {
          const int32_t l = W - A - z.f * i;
          addRect(out, l, y, l + z.f, y + z.f);
        } else {
          const int32_t r = A + z.f * i;
          addRect(out, r - z.f, y, r, y + z.f);
        }
      }
    }
  }
  if (vk == 1 || vk == 2) {
    const RaggedSizes z = raggedSizes(H, B);
    for (int32_t x = 0; x < W; x += z.f / 2) {
      if (vk == 1)
        addRect(out, x, H - B, x + z.f, H);
      else
        addRect(out, x, 0, x + z.f, B);
      for (int32_t i = z.n; i >= 1; --i) {
        if (!takeBlock(random, i, z.t)) continue;
        if (vk == 1) {
          const int32_t t = H - B - z.f * i;
          addRect(out, x, t, x + z.f, t + z.f);
        } else {
          const int32_t b = B + z.f * i;
          addRect(out, x, b - z.f, x + z.f, b);
        }
      }
    }
  }
}

void SquaresRegion(int32_t W, int32_t H, int32_t p, Random& random, ShapeUnion& out) {
  const int32_t d = std::max(std::min(W, H) / 50 + p / 10, 1);
  // Columns outer, rows inner: the order of the draws.
  for (int32_t x = 0; x < W; x += d)
    for (int32_t y = 0; y < H; y += d)
      if (random.next(100) < p) addRect(out, x - d, y - d, x + d, y + d);
}

void TriangleRegion(Point p1, Point p2, Point p3, ShapeUnion& out) {
  out.triangles.push_back(TriangleShape{{p1, p2, p3}});
}

}  // namespace vorn
