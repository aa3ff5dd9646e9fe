// Panel2's item preview as a real Win32 dialog over a collection in the fake
// file system, with a stand-in for the movie preview player (MCI has no
// movie codecs under Wine): buttons, sizes, closing, deselection, the list
// column of nine items.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "collection/cnf_file_man.h"
#include "config/win32/control_factory.h"
#include "config/win32/panel2_ids.h"
#include "config/win32/panel2_window.h"
#include "platform/result.h"
#include "show/show_ports.h"
#include "../panel_fixture.h"
#include "panel2_host.h"

namespace vorn::config::win32 {
namespace {

struct PreviewPlayer final : show::MediaPlayer {
  std::vector<std::string> log;
  std::string fileName;
  bool isOpen = false, playing = false, failPlay = false;
  show::DisplayRect put;

  void setFileName(const std::string& p) override { fileName = p; }
  Status open() override {
    log.push_back("open " + fileName);
    isOpen = true;
    return {};
  }
  Status close() override {
    log.push_back("close");
    isOpen = playing = false;
    return {};
  }
  Status play() override {
    log.push_back("play");
    if (!isOpen || failPlay) return makeError("MCI play failed");
    playing = true;
    return {};
  }
  Status stop() override {
    log.push_back("stop");
    if (!isOpen) return makeError("MCI stop failed");
    playing = false;
    return {};
  }
  show::DisplayRect displayRect() override { return {0, 0, 320, 240}; }
  void setDisplayRect(const show::DisplayRect& r) override { put = r; }
};

// A 4 x 3 24-bit BMP.
std::vector<uint8_t> smallBmp() {
  std::vector<uint8_t> b(54 + 36, 0x80);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
  };
  b[0] = 'B';
  b[1] = 'M';
  put32(2, uint32_t(b.size()));
  put32(6, 0);
  put32(10, 54);
  put32(14, 40);
  put32(18, 4);
  put32(22, 3);
  b[26] = 1, b[27] = 0, b[28] = 24, b[29] = 0;
  for (size_t i = 30; i < 54; ++i) b[i] = 0;
  put32(34, 36);
  return b;
}

// An 8-bit BMP of w x h pixels (w a multiple of 4), grey palette.
std::vector<uint8_t> paletteBmp(uint32_t w, uint32_t h) {
  const uint32_t bits = 54 + 1024;
  std::vector<uint8_t> b(bits + size_t(w) * h, 0);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
  };
  b[0] = 'B', b[1] = 'M';
  put32(2, uint32_t(b.size()));
  put32(10, bits);
  put32(14, 40);
  put32(18, w);
  put32(22, h);
  b[26] = 1, b[28] = 8;
  put32(46, 256);
  for (uint32_t i = 0; i < 256; ++i) b[54 + 4 * i] = b[55 + 4 * i] = b[56 + 4 * i] = uint8_t(i);
  return b;
}

// Allocations of at least this many bytes fail while it is set: a picture
// too large for the memory left, without needing that little memory.
std::atomic<size_t> g_failFrom{SIZE_MAX};

// Rows: a picture with a sound, a movie, then pictures up to `items`, each
// picture `picture`; `editFile` may change the collection file before the
// panel loads it.
struct Rig : vorn::testing::PanelDisk {
  PreviewPlayer player;
  bool saverActive = false;
  HWND window = nullptr;
  std::unique_ptr<Panel2> panel;

  explicit Rig(int items = 2, const std::vector<uint8_t>& picture = smallBmp(),
               const std::function<void(std::vector<uint8_t>&)>& editFile = {}) {
    TCNFFileMan writer(fs, boxes);
    writer.FileName = vorn::testing::kPanelCnf;
    for (int i = 0; i < items; ++i) {
      const bool movie = i == 1;
      const std::string name = movie ? "film.mpg" : "kep" + std::to_string(i) + ".bmp";
      const std::vector<uint8_t> data = movie ? std::vector<uint8_t>(64, 7) : picture;
      const std::string onDisk = vorn::testing::kPanelMediaDir + name;
      fs.addFile(onDisk, data);
      TCNFItem it = vorn::testing::itemForFile(fs, onDisk, "D:\\eredeti\\" + name);
      it.setChgInt(i + 3);
      if (i == 0) it.setSoundPath("D:\\eredeti\\csengo.wav");
      writer.Add(it);
    }
    EXPECT_TRUE(writer.SaveToFile());
    if (editFile) {
      std::vector<uint8_t> file = *fs.contents(vorn::testing::kPanelCnf);
      editFile(file);
      fs.addFile(vorn::testing::kPanelCnf, file);
    }
    window = vorn::testing::makePanelHost();
    Panel2Services svc;
    svc.state = &state;
    svc.fs = &fs;
    svc.boxes = &boxes;
    svc.mediaPrev = &player;
    svc.saverActive = &saverActive;
    panel = std::make_unique<Panel2>(window, svc);
    ShowWindow(panel->hwnd(), SW_SHOW);
    config::LoadIntoPanel(state, host, false, panel->model());
    panel->SS1BeforeConfigBoxActive();
  }
  ~Rig() {
    panel.reset();
    DestroyWindow(window);
  }

  HWND control(int id) const { return GetDlgItem(GetDlgItem(panel->hwnd(), TabSheet1), id); }
  std::string text(int id) const { return getText(control(id)); }
  bool shown(int id) const { return GetWindowLongW(control(id), GWL_STYLE) & WS_VISIBLE; }
  bool enabled(int id) const { return IsWindowEnabled(control(id)); }
  // Selects one row as a click would (-1: no row at all).
  void select(int row) {
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(control(ListView1), LVM_SETITEMSTATE, WPARAM(-1), LPARAM(&none));
    if (row < 0) return;
    LVITEMW it{};
    it.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    it.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(control(ListView1), LVM_SETITEMSTATE, WPARAM(row), LPARAM(&it));
  }
  void press(int id) {
    SendMessageW(GetDlgItem(panel->hwnd(), TabSheet1), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 LPARAM(control(id)));
  }
};

TEST(Panel2Preview, MovieRowOpensThePlayerWithoutPlayingAndShowsBothButtons) {
  Rig r;
  r.select(1);
  EXPECT_EQ(r.player.fileName, "C:\\Vorn\\Vorn\\film.mpg");
  EXPECT_TRUE(r.player.isOpen);
  EXPECT_FALSE(r.player.playing);
  EXPECT_EQ(r.text(PicSizeL), "320x240");
  EXPECT_EQ(r.text(TipusLab), ".MPG");
  EXPECT_EQ(r.text(HangLab), "NINCS");
  EXPECT_TRUE(r.shown(PrevPLAYBtn) && r.shown(PrevSTOPBtn));
  EXPECT_TRUE(r.enabled(PrevPLAYBtn));
  EXPECT_FALSE(r.enabled(PrevSTOPBtn));
  EXPECT_FALSE(r.shown(ImagePreV));
  // The movie plays where the picture would be, in TabControl1's coordinates.
  const int dpi = systemDpi();
  EXPECT_EQ(r.player.put.width, MulDiv(167, dpi, 96));
  EXPECT_EQ(r.player.put.height, MulDiv(125, dpi, 96));
  EXPECT_GT(r.player.put.left, 0);
  EXPECT_GT(r.player.put.top, 0);
}

TEST(Panel2Preview, PlayAndStopSwapTheButtonsAndAPlayerErrorLeavesThem) {
  Rig r;
  r.select(1);
  r.press(PrevPLAYBtn);
  EXPECT_TRUE(r.player.playing);
  EXPECT_FALSE(r.enabled(PrevPLAYBtn));
  EXPECT_TRUE(r.enabled(PrevSTOPBtn));
  r.press(PrevSTOPBtn);
  EXPECT_FALSE(r.player.playing);
  EXPECT_TRUE(r.enabled(PrevPLAYBtn));
  EXPECT_FALSE(r.enabled(PrevSTOPBtn));
  r.player.failPlay = true;
  r.press(PrevPLAYBtn);
  EXPECT_TRUE(r.enabled(PrevPLAYBtn));
  EXPECT_FALSE(r.enabled(PrevSTOPBtn));
}

TEST(Panel2Preview, AnotherRowClosesThePlayingMovieFirst) {
  Rig r;
  r.select(1);
  r.press(PrevPLAYBtn);
  r.player.log.clear();
  r.select(0);
  ASSERT_FALSE(r.player.log.empty());
  EXPECT_EQ(r.player.log.front(), "close");
  EXPECT_FALSE(r.player.playing);
  EXPECT_FALSE(r.shown(PrevPLAYBtn) || r.shown(PrevSTOPBtn));
  EXPECT_TRUE(r.shown(ImagePreV));
  EXPECT_EQ(r.text(PicSizeL), "4*3");
  EXPECT_EQ(r.text(TipusLab), ".BMP");
  EXPECT_EQ(r.text(HangLab), "VAN");
  EXPECT_EQ(r.text(ChgIntLab), "3 m\xE1sodperc");
}

TEST(Panel2Preview, DeselectingEveryRowEmptiesTheValueLabelsAndThePicture) {
  Rig r;
  r.select(0);
  ASSERT_EQ(r.text(PicSizeL), "4*3");
  r.select(-1);
  for (int id : {int(PicSizeL), int(ChgIntLab), int(TipusLab), int(HangLab)})
    EXPECT_EQ(r.text(id), "") << id;
  EXPECT_FALSE(r.shown(ImagePreV));
}

TEST(Panel2Preview, NothingHappensWhileTheSaverIsActive) {
  Rig r;
  r.saverActive = true;
  r.select(1);
  EXPECT_TRUE(r.player.log.empty());
  EXPECT_EQ(r.text(PicSizeL), "");
}

TEST(Panel2Preview, NineAnnouncedItemsNarrowTheListColumnBySixteenPixels) {
  const int dpi = systemDpi();
  const LRESULT narrowed = MulDiv(230, dpi, 96) - MulDiv(16, dpi, 96);
  // The header's count decides, not the rows: the last record is cut off.
  Rig nine(9, smallBmp(), [](std::vector<uint8_t>& f) { f.resize(f.size() - TCNFItem::kSize); });
  EXPECT_EQ(SendMessageW(nine.control(ListView1), LVM_GETITEMCOUNT, 0, 0), 8);
  EXPECT_EQ(SendMessageW(nine.control(ListView1), LVM_GETCOLUMNWIDTH, 0, 0), narrowed);
  Rig eight(8);  // automatic width
  EXPECT_NE(SendMessageW(eight.control(ListView1), LVM_GETCOLUMNWIDTH, 0, 0), narrowed);
}

TEST(Panel2Preview, RunningOutOfMemoryForAPictureLeavesThePreviewEmptyAndSilent) {
  const auto big = paletteBmp(2048, 1024);  // 2 MB to read, 6 MB in 24 bits
  for (size_t failFrom : {size_t(1) << 20, size_t(4) << 20}) {  // reading, decoding
    Rig r(2, big);
    g_failFrom = failFrom;
    r.select(0);
    g_failFrom = SIZE_MAX;
    EXPECT_EQ(r.text(TipusLab), ".BMP");  // what was set before stays
    EXPECT_FALSE(r.shown(ImagePreV));
    EXPECT_TRUE(r.boxes.shown.empty());
    r.select(-1);
    r.select(0);
    EXPECT_EQ(r.text(PicSizeL), "2048*1024");
  }
}

TEST(Panel2Settings, AnUpperBoundRaisedPastNinetyNineIsShownAndSavedAsNinetyNine) {
  Rig r(2, smallBmp(), [](std::vector<uint8_t>& f) {
    TCNFHeader h;
    std::memcpy(h.bytes(), f.data(), TCNFHeader::kSize);
    h.setChgIntMin(97);
    h.setChgIntMax(10);
    std::memcpy(f.data(), h.bytes(), TCNFHeader::kSize);
  });
  HWND settings = GetDlgItem(r.panel->hwnd(), TabSheet2);
  EXPECT_EQ(getText(GetDlgItem(settings, ChgIntMAXSE)), "99");
  r.panel->Button1Click();
  TCNFHeader saved;
  std::memcpy(saved.bytes(), r.fs.contents(vorn::testing::kPanelCnf)->data(), TCNFHeader::kSize);
  EXPECT_EQ(saved.ChgIntMin(), 97);
  EXPECT_EQ(saved.ChgIntMax(), 99);
}

}  // namespace
}  // namespace vorn::config::win32

void* operator new(std::size_t n) {
  if (n >= vorn::config::win32::g_failFrom.load(std::memory_order_relaxed)) throw std::bad_alloc();
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
