// The player hosted on a real window: the presenter paints it, the
// platform's message pump and tick clock pace the unthreaded run, and a
// worker thread of the platform paces the threaded one through the window's
// message queue.
#include <gtest/gtest.h>

#include <memory>

#include "transition/fake/picture_source.h"
#include "transition/transition_player.h"
#include "transition/win32/win32_pacing.h"
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
  Win32TickClock clock;
  Win32MessagePump pump;
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

}  // namespace
}  // namespace vorn::testing
