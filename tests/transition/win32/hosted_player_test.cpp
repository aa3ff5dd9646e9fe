// The player hosted on a real window: the presenter paints it, the
// platform's message pump and tick clock pace the unthreaded run, and a
// worker thread of the platform paces the threaded one through the window's
// message queue.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_message_pump.h"
#include "transition/fake/picture_source.h"
#include "transition/transition_player.h"
#include "transition/win32/frame_trace.h"
#include "transition/win32/win32_player_presenter.h"
#include "transition/win32/win32_worker_threads.h"

namespace vorn::testing {
namespace {

Win32PlayerPresenter* g_presenter = nullptr;

LRESULT CALLBACK hostProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (g_presenter && g_presenter->handleMessage(msg, wp, lp, result)) return result;
  return DefWindowProcW(w, msg, wp, lp);
}

struct HostedPlayer {
  HostedPlayer() {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = hostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VornPlayerTestHost";
    RegisterClassW(&wc);
    window = CreateWindowExW(0, L"VornPlayerTestHost", L"player", WS_POPUP | WS_VISIBLE, 0, 0, 120, 90, nullptr,
                             nullptr, wc.hInstance, nullptr);
    presenter = std::make_unique<Win32PlayerPresenter>(window, calls);
    g_presenter = presenter.get();
    threads = std::make_unique<Win32WorkerThreads>(calls);
    player = std::make_unique<TTransitionPlayer>(PlayerServices{*presenter, clock, pump, random, *threads});
    presenter->attach(player.get());
    player->SetAlign(TAlign::alClient);
    presenter->setBounds(Rect{0, 0, 120, 90});
    player->SetStep(25);
    player->SetDelay(5);
    player->SetStyle(52);
    player->OnComplete = [this](TCustomTransitionPlayer&) { ++completes; };
    player->OnProgress = [this](TCustomTransitionPlayer&) { ++frames; };
  }
  ~HostedPlayer() {
    player.reset();
    g_presenter = nullptr;
    presenter.reset();
    DestroyWindow(window);
  }
  // The program's message loop, until the run is over (or a time limit).
  void runMessagesWhileBusy() {
    const DWORD start = GetTickCount();
    while (player->Busy() && GetTickCount() - start < 5000) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      pump.processMessages();
    }
  }

  HWND window = nullptr;
  SyncCallQueue calls;
  win32::Win32TickClock clock;
  win32::Win32MessagePump pump;
  LcgRandom random{1};
  std::unique_ptr<Win32PlayerPresenter> presenter;
  std::unique_ptr<Win32WorkerThreads> threads;
  std::unique_ptr<TTransitionPlayer> player;
  int completes = 0, frames = 0;
};

TEST(HostedPlayer, UnthreadedRunPaintsTheWindowAndCompletes) {
  HostedPlayer h;
  h.player->SetThreaded(false);
  ASSERT_TRUE(fake::loadBitmap(h.player->Picture(), fake::makePattern(5, 120, 90)).ok());
  ASSERT_TRUE(h.player->StartTransition().ok());
  EXPECT_FALSE(h.player->Busy());
  EXPECT_EQ(h.frames, 4);
  EXPECT_EQ(h.completes, 1);
  // The last paint left the whole new picture in the paint buffer.
  EXPECT_EQ(h.player->PaintBuffer(), fake::makePattern(5, 120, 90));
}

// Each frame is recorded as composed before the paint that shows it, and
// that paint follows at once (any other paint of the window may come too).
TEST(HostedPlayer, FrameTraceRecordsEachFrameBeforeThePaintThatShowsIt) {
  HostedPlayer h;
  h.player->SetThreaded(false);
  wchar_t dir[MAX_PATH];
  ASSERT_GT(GetTempPathW(MAX_PATH, dir), 0u);
  const std::wstring path = std::wstring(dir) + L"vorn_hosted_frame_trace.txt";
  {
    FrameTrace trace(path);
    h.presenter->setTrace(&trace);
    ASSERT_TRUE(fake::loadBitmap(h.player->Picture(), fake::makePattern(5, 120, 90)).ok());
    ASSERT_TRUE(h.player->StartTransition().ok());
    h.presenter->setTrace(nullptr);
  }
  std::FILE* in = _wfopen(path.c_str(), L"r");
  ASSERT_NE(in, nullptr);
  std::vector<std::string> events;
  for (char line[256]; std::fgets(line, sizeof line, in);) {
    std::istringstream words(line);
    std::string time, what, style, family, progress;
    words >> time >> what >> style >> family >> progress;
    events.push_back(what == "compose" ? progress : what);
  }
  std::fclose(in);
  DeleteFileW(path.c_str());
  std::vector<std::string> frames;
  for (size_t i = 0; i < events.size(); ++i) {
    if (events[i] == "present") continue;
    frames.push_back(events[i]);
    EXPECT_TRUE(i + 1 < events.size() && events[i + 1] == "present") << "frame " << events[i];
  }
  EXPECT_EQ(frames, (std::vector<std::string>{"25", "50", "75", "100"}));
}

TEST(HostedPlayer, ThreadedRunIsPacedThroughTheWindowsQueue) {
  HostedPlayer h;
  h.player->SetThreaded(true);
  h.player->SetThreadPriority(TThreadPriority::tpHigher);
  ASSERT_TRUE(fake::loadBitmap(h.player->Picture(), fake::makePattern(4, 120, 90)).ok());
  ASSERT_TRUE(h.player->StartTransition().ok());
  h.runMessagesWhileBusy();
  EXPECT_FALSE(h.player->Busy());
  EXPECT_EQ(h.frames, 4);
  EXPECT_EQ(h.completes, 1);
}

TEST(HostedPlayer, StoppingAThreadedRunJoinsItsWorker) {
  HostedPlayer h;
  h.player->SetThreaded(true);
  h.player->SetStep(1);
  h.player->SetDelay(20);
  ASSERT_TRUE(fake::loadBitmap(h.player->Picture(), fake::makePattern(4, 120, 90)).ok());
  ASSERT_TRUE(h.player->StartTransition().ok());
  const DWORD start = GetTickCount();
  while (h.frames < 3 && GetTickCount() - start < 5000) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    h.pump.processMessages();
  }
  h.player->StopTransition();
  EXPECT_FALSE(h.player->Busy());
  EXPECT_EQ(h.completes, 0);
}

TEST(HostedPlayer, MouseInputOverTheControlRaisesItsEvents) {
  HostedPlayer h;
  h.presenter->setBounds(Rect{20, 10, 120, 90});
  std::vector<std::string> seen;
  TCustomTransitionPlayer& p = *h.player;
  p.OnMouseEnter = [&](TCustomTransitionPlayer&) { seen.push_back("enter"); };
  p.OnMouseLeave = [&](TCustomTransitionPlayer&) { seen.push_back("leave"); };
  p.OnClick = [&](TCustomTransitionPlayer&) { seen.push_back("click"); };
  p.OnDblClick = [&](TCustomTransitionPlayer&) { seen.push_back("dblclick"); };
  auto button = [&](const char* what) {
    return [&seen, what](TCustomTransitionPlayer&, TMouseButton b, TShiftState s, int32_t x, int32_t y) {
      seen.push_back(std::string(what) + std::to_string(int(b)) + (s & ssDouble ? "d" : "") + (s & ssShift ? "s" : "") +
                     "@" + std::to_string(x) + "," + std::to_string(y));
    };
  };
  p.OnMouseDown = button("down");
  p.OnMouseUp = button("up");
  const LPARAM at = MAKELPARAM(25, 30);  // (5, 20) in the control
  SendMessageW(h.window, WM_MOUSEMOVE, 0, at);
  SendMessageW(h.window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(h.window, WM_LBUTTONUP, 0, at);
  SendMessageW(h.window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageW(h.window, WM_RBUTTONUP, MK_SHIFT, at);
  SendMessageW(h.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));  // beside the control
  // The platform's word that the pointer left the window.
  SendMessageW(h.window, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"enter", "down0@5,20", "up0@5,20", "click", "dblclick", "down0d@5,20",
                                            "up1s@5,20", "leave"}));
}

}  // namespace
}  // namespace vorn::testing
