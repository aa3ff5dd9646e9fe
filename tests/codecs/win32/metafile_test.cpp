#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "codecs/decoders.h"

namespace vorn {
namespace {

// An EMF of 40 x 30 device pixels with a red rectangle in its left half.
std::vector<uint8_t> redLeftHalfEmf() {
  HDC ref = GetDC(nullptr);
  const int hmm = GetDeviceCaps(ref, HORZSIZE), hres = GetDeviceCaps(ref, HORZRES);
  const int vmm = GetDeviceCaps(ref, VERTSIZE), vres = GetDeviceCaps(ref, VERTRES);
  RECT frame{0, 0, 40 * hmm * 100 / hres, 30 * vmm * 100 / vres};
  HDC dc = CreateEnhMetaFileW(ref, nullptr, &frame, nullptr);
  ReleaseDC(nullptr, ref);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT r{0, 0, 20, 30};
  FillRect(dc, &r, red);
  DeleteObject(red);
  HENHMETAFILE h = CloseEnhMetaFile(dc);
  std::vector<uint8_t> bytes(GetEnhMetaFileBits(h, 0, nullptr));
  GetEnhMetaFileBits(h, UINT(bytes.size()), bytes.data());
  DeleteEnhMetaFile(h);
  return bytes;
}

TEST(Metafile, EnhancedMetafilePlaysAtTheTargetSizeOverTheSurface) {
  const auto emf = redLeftHalfEmf();
  auto g = decodeEmf(emf.data(), emf.size());
  ASSERT_TRUE(g.ok()) << g.error();
  // The frame, not the painted left half, is the picture.
  EXPECT_EQ(g.value()->width(), 40);
  EXPECT_EQ(g.value()->height(), 30);
  Bitmap24 own(40, 30);
  own.fill(rgb(0, 0, 255));
  g.value()->draw(own, Rect{0, 0, 40, 30});
  EXPECT_EQ(own.pixel(19, 15), rgb(255, 0, 0));
  EXPECT_EQ(own.pixel(21, 15), rgb(0, 0, 255));  // the empty margin stays empty
  Bitmap24 dst(100, 50);
  dst.fill(rgb(0, 0, 255));
  g.value()->draw(dst, Rect{0, 0, 100, 50});
  EXPECT_EQ(dst.pixel(10, 25), rgb(255, 0, 0));
  EXPECT_EQ(dst.pixel(90, 25), rgb(0, 0, 255));  // unpainted: the surface shows
}

TEST(Metafile, RefusesDataThatIsNoMetafile) {
  const uint8_t junk[64] = {1, 2, 3};
  EXPECT_EQ(decodeEmf(junk, sizeof junk).error(), "Invalid metafile");
  EXPECT_EQ(decodeWmf(junk, sizeof junk).error(), "Invalid metafile");
  EXPECT_FALSE(decodeWmf(junk, 3).ok());
}

}  // namespace
}  // namespace vorn
