// The show window's handlers: the form hands them to the portable show
// session, which drives the components made here over the real window, MCI,
// PlaySound and the transition player. In the preview the collection's
// pictures are shown scaled into the preview window, without sound.
#include <windows.h>

#include <memory>

#include "app/main_form.h"
#include "collection/item_kind.h"
#include "collection/win32/win32_collection_host.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_message_pump.h"
#include "saverhost/win32/process_command_line.h"
#include "show/collection_source.h"
#include "show/move_timer.h"
#include "show/picture_prefetch.h"
#include "show/show_session.h"
#include "show/transition_slide_player.h"
#include "show/win32/caption_window.h"
#include "show/win32/mci_player.h"
#include "show/win32/wave_sound.h"
#include "show/win32/win32_timer.h"
#include "transition/show_window_settings.h"
#include "transition/win32/frame_trace.h"
#include "transition/win32/win32_player_presenter.h"
#include "transition/win32/win32_worker_threads.h"

namespace vorn::app {

namespace {

using namespace vorn::show;

constexpr UINT kStepMessage = WM_APP + 0x3A1;  // the scheduler's hand-over
constexpr UINT kCoverScreenMessage = WM_APP + 0x3A2;
constexpr UINT_PTR kTimer1Id = 1;
constexpr UINT_PTR kPreviewTimerId = 2;
constexpr UINT kPreviewIntervalMs = 4000;

struct FormPort final : ShowForm {
  TForm1& f;
  CollectionHost& app;
  show::win32::CaptionWindow* caption = nullptr;
  TTransitionPlayer* player = nullptr;
  FormPort(TForm1& form, CollectionHost& a) : f(form), app(a) {}
  // The same steps as the loader's: hide it, extended style exactly 0x88.
  void hideApplicationWindow() override { app.hideApplicationWindow(); }
  void setColor(Color c) override {
    f.Color = COLORREF(c);
    f.SetCoverColor(COLORREF(c));
    if (caption) caption->setBackColor(COLORREF(c));
    if (f.Hwnd()) InvalidateRect(f.Hwnd(), nullptr, TRUE);
  }
  int32_t width() override { return f.Width(); }
  int32_t height() override { return f.Height(); }
  void alignShowControlsToClient() override {
    if (player) player->SetAlign(TAlign::alClient);
  }
  void setPlayerVisible(bool v) override {
    if (player) player->SetVisible(v);
  }
  void setMovieBoxVisible(bool v) override { v ? f.MovieBox->Show() : f.MovieBox->Hide(); }
  void setMovieBoxColor(Color c) override {
    f.MovieBox->Color = COLORREF(c);
    InvalidateRect(f.MovieBox->Handle(), nullptr, TRUE);
  }
  int32_t movieBoxWidth() override { return f.MovieBox->Width(); }
  int32_t movieBoxHeight() override { return f.MovieBox->Height(); }
  void close() override { f.Close(); }
  void requestTerminate() override { f.Terminate(); }
};

// The display of MediaPrev in the show: an item sound that is a video plays
// into a child of the hidden Panel2, where nothing of it is seen, instead of
// opening a window of its own over the show. Being a child, it stays hidden
// even when the player shows its display, and goes with the panel.
HWND hiddenDisplayIn(HWND panel) {
  return CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 1, 1, panel, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
}

struct WinCursor final : CursorSource {
  Point cursorPos() override {
    POINT p{0, 0};
    GetCursorPos(&p);
    return {p.x, p.y};
  }
};

struct HostPassword final : PasswordCheck {
  TForm1& f;
  explicit HostPassword(TForm1& form) : f(form) {}
  bool verifyPassword() override { return f.ScreenSaver1->VerifyPassword(); }
};

struct PostWaker final : UiWaker {
  HWND hwnd;
  explicit PostWaker(HWND h) : hwnd(h) {}
  void wakeUi() override { PostMessageW(hwnd, kStepMessage, 0, 0); }
};

}  // namespace

// Made on the user-interface thread once the form's window exists.
struct ShowRuntime {
  TForm1& form;
  HWND hwnd;
  // First made, last gone: every frame's events land in it.
  std::unique_ptr<FrameTrace> trace = FrameTrace::fromEnvironment();
  SyncCallQueue calls;
  Win32PlayerPresenter presenter;
  vorn::win32::Win32TickClock clock;
  vorn::win32::Win32MessagePump pump;
  LcgRandom random;
  Win32WorkerThreads threads{calls};
  TTransitionPlayer player;
  Win32FileSystem fs;
  PicturePrefetcher prefetch{fs};
  TransitionSlidePlayer slide{player, fs, &prefetch};
  show::win32::CaptionWindow caption;
  show::win32::MciMediaPlayer mediaPlayer1;
  show::win32::MciMediaPlayer bckSndMIDI;
  show::win32::MciMediaPlayer mediaPrev;
  show::win32::Win32WaveSound wave;
  show::win32::Win32IntervalTimer timer1;
  WinCursor cursor;
  vorn::win32::Win32MessageBoxes boxes;
  SilentMessageBoxes silent;
  TCollectionState state;
  Win32CollectionHost collectionHost;
  CollectionShowSource source;
  HostPassword password;
  PostWaker waker;
  FormPort port;
  std::unique_ptr<ShowSession> session;
  MoveTimer scheduler{waker, [this] {
                        if (session) session->ShowNextItem();
                      }};
  std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)> chained;
  // The preview's own little slide show.
  bool previewing = false;
  int32_t previewIndex = 0;

  ShowRuntime(TForm1& f, bool preview)
      : form(f),
        hwnd(f.Hwnd()),
        presenter(hwnd, calls),
        player(PlayerServices{presenter, clock, pump, random, threads}),
        caption(f.Instance(), hwnd),
        mediaPlayer1(f.MovieBox->Handle(), hwnd),
        bckSndMIDI(nullptr, hwnd),
        mediaPrev(hiddenDisplayIn(f.Panel2->Handle()), hwnd),
        timer1(hwnd, kTimer1Id),
        state(fs, preview ? static_cast<MessageBoxes&>(silent) : boxes),
        collectionHost([&f] { f.ScreenSaver1->HideApplicationWindow(); }),
        source(state, collectionHost, fs, saverhost::IsTestRun(saverhost::ProcessCommandLine().ParamStr(2))),
        password(f),
        waker(hwnd),
        port(f, collectionHost) {
    ApplyShowWindowSettings(player);
    player.SetVisible(false);
    presenter.attach(&player);
    port.caption = &caption;
    port.player = &player;
    // Children are not painted over by the player's frames.
    SetWindowLongW(hwnd, GWL_STYLE, GetWindowLongW(hwnd, GWL_STYLE) | WS_CLIPCHILDREN);

    session = std::make_unique<ShowSession>(ShowParts{f.State, port, timer1, slide, caption, mediaPlayer1, bckSndMIDI,
                                                      mediaPrev, wave, cursor, source, password,
                                                      scheduler, pump, clock, random});
    timer1.OnTimer = [this] { session->Timer1Timer(); };
    player.OnComplete = [this](TCustomTransitionPlayer&) {
      if (!previewing) session->TransitionPlayer1Complete();
    };
    player.OnProgress = [this](TCustomTransitionPlayer&) { session->TransitionPlayer1Progress(); };
    presenter.setTrace(trace.get());
    pump.PreTranslate = [this](MSG& m) { return form.PreviewKey(m); };
    chained = form.MessageHook;
    form.MessageHook = [this](UINT msg, WPARAM wp, LPARAM lp, LRESULT& r) { return hook(msg, wp, lp, r); };
  }

  ~ShowRuntime() {
    scheduler.stop();
    if (previewing && IsWindow(hwnd)) KillTimer(hwnd, kPreviewTimerId);
    form.MessageHook = chained;
  }

  void fitToClient() {
    RECT rc;
    GetClientRect(hwnd, &rc);
    presenter.setBounds(Rect{0, 0, rc.right, rc.bottom});
    form.MovieBox->SetBounds(0, 0, rc.right, rc.bottom);
  }

  bool hook(UINT msg, WPARAM wp, LPARAM lp, LRESULT& r) {
    if (msg == kStepMessage) {
      scheduler.serviceOnUiThread();
      r = 0;
      return true;
    }
    if (timer1.handle(msg, wp)) {
      r = 0;
      return true;
    }
    if (msg == kCoverScreenMessage) {
      coverScreen();
      r = 0;
      return true;
    }
    if (msg == WM_TIMER && wp == kPreviewTimerId) {
      previewNext();
      r = 0;
      return true;
    }
    if (msg == WM_SIZE) fitToClient();
    if (presenter.handleMessage(msg, wp, lp, r)) return true;
    return chained && chained(msg, wp, lp, r);
  }

  // A maximised window is sized by the window manager on some systems (an X
  // server under Wine); without one it would keep its designed size. The
  // show covers the primary screen whatever the manager does.
  void coverScreen() {
    int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    RECT r;
    GetWindowRect(hwnd, &r);
    if (r.left != 0 || r.top != 0 || r.right != cx || r.bottom != cy)
      SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, cx, cy, SWP_SHOWWINDOW);
    SetForegroundWindow(hwnd);
    SetFocus(hwnd);
  }

  // The preview: each picture of the collection in turn, scaled into the
  // small window at once (no transition), without sound.
  void startPreview() {
    if (state.FileMan == nullptr) {
      (void)source.initAllUnchecked();
      if (state.LoadFailed) return;
    }
    previewing = true;
    player.SetAlign(TAlign::alClient);
    player.SetVisible(true);
    fitToClient();
    previewNext();
    SetTimer(hwnd, kPreviewTimerId, kPreviewIntervalMs, nullptr);
  }

  void previewNext() {
    if (!state.FileMan) return;
    int32_t n = state.FileMan->Count();
    for (int32_t tries = 0; tries < n; ++tries) {
      ShowItem it;
      int32_t i = previewIndex;
      previewIndex = (previewIndex + 1) % n;
      if (!source.getItem(i, it) || isMovie(it.MediaPath)) continue;
      std::string file = source.locateMediaFile(it.MediaPath);
      if (!source.fileExists(file)) continue;
      player.SetColor(slideOptionsOf(source.header(), it).BckColor);
      player.SetStyle(0);
      if (!player.Picture().LoadFromFile(fs, file)) continue;
      (void)slide.startTransition();
      return;
    }
  }
};

void ShowRuntimeDelete::operator()(ShowRuntime* runtime) const { delete runtime; }

namespace {

ShowRuntime& makeRuntime(TForm1& f, bool preview) {
  if (!f.Runtime) f.Runtime.reset(new ShowRuntime(f, preview));
  return *f.Runtime;
}

}  // namespace

void TForm1::SS1BeforeMainSaverActive(TScreenSaver&) {
  makeRuntime(*this, false).session->SS1BeforeMainSaverActive();
}

void TForm1::FormShow() {
  if (State.InPreview) {
    makeRuntime(*this, true).startPreview();
    return;
  }
  if (!Runtime) return;
  Runtime->session->FormShow();
  if (State.SaverActive) PostMessageW(Runtime->hwnd, kCoverScreenMessage, 0, 0);
}

void TForm1::FormKeyDown(WPARAM) {
  if (Runtime) Runtime->session->FormKeyDown();
}

void TForm1::FormMouseMove() {
  if (Runtime) Runtime->session->FormMouseMove();
}

void TForm1::TransitionPlayer1Click() {
  if (Runtime) Runtime->session->TransitionPlayer1Click();
}

void TForm1::FormClose() {
  if (!Runtime) return;
  if (Runtime->previewing) {
    KillTimer(Runtime->hwnd, kPreviewTimerId);
    Runtime->player.StopTransition();
    return;
  }
  Runtime->session->FormClose();
}

}  // namespace vorn::app
