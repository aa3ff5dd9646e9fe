// The native soak: the real show session, slide step, transition player,
// decode ahead and collection loader play a generated collection for many
// simulated hours on a fake clock and a fake disk whose files vanish, break
// and come back meanwhile. It prints the transitions run per style and the
// heap in use, and fails when the heap at the end of the run differs from
// the heap after the first full pass by more than the allowed slack, when
// the show stalls or ends by itself, or when a style never ran.
//
//   vorn_soak [--hours 24] [--items 200] [--seed N] [--size 80x60] [--slack-kib 4]
#include <algorithm>
#include <array>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "collection/collection_state.h"
#include "counting_slide_player.h"
#include "heap_meter.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_message_box.h"
#include "show/collection_source.h"
#include "show/picture_prefetch.h"
#include "show/show_session.h"
#include "show/transition_slide_player.h"
#include "soak_collection.h"
#include "soak_parts.h"
#include "transition/fake/show_rig.h"
#include "transition/style_catalogue.h"

namespace vorn::soak {
namespace {

struct Options {
  double hours = 24;
  int items = 200;
  uint32_t seed = 2026;
  int32_t width = 80, height = 60;
  int64_t slackKiB = 4;
};

bool parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    const char* v = i + 1 < argc ? argv[i + 1] : nullptr;
    if (a == "--hours" && v) o.hours = std::atof(argv[++i]);
    else if (a == "--items" && v) o.items = std::atoi(argv[++i]);
    else if (a == "--seed" && v) o.seed = uint32_t(std::strtoul(argv[++i], nullptr, 10));
    else if (a == "--slack-kib" && v) o.slackKiB = std::atoll(argv[++i]);
    else if (a == "--size" && v && std::sscanf(argv[++i], "%dx%d", &o.width, &o.height) == 2) {}
    else {
      std::fprintf(stderr, "usage: vorn_soak [--hours H] [--items N] [--seed N] [--size WxH] [--slack-kib K]\n");
      return false;
    }
  }
  return o.hours > 0 && o.items >= 2 && o.width > 0 && o.height > 0;
}

struct SoakHost final : CollectionHost {
  std::string executablePath() override { return SoakCollection::kExe; }
  void hideApplicationWindow() override {}
};

struct HeapSample {
  uint32_t atMs;
  uint64_t bytes;
};

struct Figures {
  std::array<uint64_t, kStyleCount> styleRuns{};
  uint64_t steps = 0, passes = 0, churns = 0, mouseMoves = 0;
  uint64_t heapAfterLoad = 0, heapAfterClose = 0;
  std::vector<HeapSample> samples;  // after item 0 on every pass
  bool stalled = false, endedByItself = false, releasedAtClose = false;
  uint32_t simulatedMs = 0;
  uint64_t movies = 0, moviesRefused = 0, loadFailures = 0, prefetched = 0, fileLoads = 0;
  uint64_t waveOnce = 0, waveLooped = 0, mciSounds = 0, captions = 0;
};

// Everything the show window holds during a show, wired as the main form does.
struct Show {
  Show(const Options& o, fake::FakeFileSystem& disk)
      : fs(disk), rig(o.width, o.height, o.seed), random(o.seed), movie(fs), bckSound(fs), itemSound(fs) {
    window.W = o.width;
    window.H = o.height;
    window.session = &session;
    rig.pump.onProcess = [this] { rig.host.updateNow(); };
    rig.player->OnProgress = [this](TCustomTransitionPlayer&) { session.TransitionPlayer1Progress(); };
    rig.player->OnComplete = [this](TCustomTransitionPlayer& p) {
      ++styleRuns[p.Style()];
      session.TransitionPlayer1Complete();
    };
    rig.clock.now = 1000;
  }

  fake::FakeFileSystem& fs;
  fake::FakeMessageBoxes boxes;
  SoakHost host;
  TCollectionState state{fs, boxes};
  show::CollectionShowSource source{state, host, fs, false};
  fake::ShowRig rig;
  show::PicturePrefetcher prefetch{fs};
  show::TransitionSlidePlayer realSlide{*rig.player, fs, &prefetch};
  CountingSlidePlayer slide{realSlide};
  LcgRandom random;
  SoakWindow window;
  SoakTimer timer{rig.clock};
  SoakCaption caption;
  SoakMediaPlayer movie, bckSound, itemSound;
  SoakWave wave;
  SoakCursor cursor;
  SoakPassword password;
  SoakScheduler scheduler;
  SoakPump pump;
  std::array<uint64_t, kStyleCount> styleRuns{};
  show::ShowState showState;
  show::ShowSession session{show::ShowParts{showState, window, timer, slide, caption, movie, bckSound, itemSound, wave,
                                            cursor, source, password, scheduler, pump, rig.clock, random}};
};

// What happens to the folder meanwhile: a file deleted, put back, replaced
// by another picture, replaced by bytes that do not decode, or emptied.
void churn(fake::FakeFileSystem& fs, const SoakCollection& c, LcgRandom& r, uint32_t seed) {
  const PlannedItem* p = nullptr;
  for (int tries = 0; tries < 50 && !p; ++tries) {
    const PlannedItem& cand = c.items[size_t(r.next(int32_t(c.items.size())))];
    if (cand.churnable) p = &cand;
  }
  if (!p) return;
  switch (r.next(5)) {
    case 0: fs.remove(p->file); break;
    case 1: fs.addFile(p->file, p->bytes); break;
    case 2: fs.addFile(p->file, rewrittenPicture(p->file, seed, true)); break;
    case 3: fs.addFile(p->file, rewrittenPicture(p->file, seed, false)); break;
    default: fs.addFile(p->file, std::vector<uint8_t>{}); break;
  }
}

void runShow(const Options& o, fake::FakeFileSystem& fs, const SoakCollection& plan, Figures& f) {
  Show s(o, fs);
  fake::FakeClock& clock = s.rig.clock;
  // The fake disk lives on the heap too and the churn changes its files'
  // sizes; their bytes are left out, so the figure is the show's own.
  const auto showHeap = [&fs] { return heapInUse() - fs.usedBytes(); };
  LcgRandom events(o.seed ^ 0x5eed);
  const uint32_t started = clock.now;
  const uint32_t duration = uint32_t(o.hours * 3600000.0);
  constexpr uint32_t kChurnEvery = 20 * 60 * 1000;  // three files a simulated hour
  constexpr uint32_t kMouseEvery = 7 * 60 * 1000;
  uint32_t nextChurn = 0, nextMouse = started + kMouseEvery;
  // The disk churns from the first full pass on (the heap's reference is
  // taken there, on the files as generated). After the run time every file
  // is put back and two more passes run, so the last sample sees the same
  // disk as the reference: what the heap holds then can only differ by
  // what the show itself kept.
  bool churning = false, windingDown = false;
  uint64_t passesAtWindDown = 0;

  s.session.SS1BeforeMainSaverActive();
  s.session.FormShow();
  s.prefetch.waitIdle();
  f.heapAfterLoad = showHeap();
  if (s.window.terminateRequests > 0) {
    std::fprintf(stderr, "soak: the collection did not load (%zu message boxes)\n", s.boxes.shown.size());
    f.endedByItself = true;
    return;
  }
  for (;;) {
    if (s.window.closed || s.window.terminateRequests > 0) {
      f.endedByItself = true;
      break;
    }
    if (!windingDown && uint32_t(clock.now - started) >= duration) {
      windingDown = true;
      churning = false;
      passesAtWindDown = f.passes;
      for (const PlannedItem& p : plan.items) fs.addFile(p.file, p.bytes);
    }
    if (windingDown && f.passes >= passesAtWindDown + 2) break;
    if (s.session.StepDue) {
      // The worker has always finished by the time a step is due (seconds
      // later); waiting for it keeps every run of a seed the same.
      s.prefetch.waitIdle();
      s.session.ShowNextItem();
      ++f.steps;
      // The fake window keeps a record of every paint; a real one does not.
      s.rig.host.invalidated = {};
      s.rig.host.repainted = {};
      clock.advance(2);  // the scheduler's rest
      if (s.session.CurrentIndex == 1) {
        ++f.passes;
        s.prefetch.waitIdle();
        if (f.samples.size() < f.samples.capacity()) f.samples.push_back({clock.now - started, showHeap()});
        if (f.passes == 2 && !windingDown) {
          churning = true;
          nextChurn = clock.now + kChurnEvery / 2;
        }
      }
      continue;
    }
    if (!s.timer.on || s.timer.ms == 0) {
      f.stalled = true;
      break;
    }
    const uint32_t due = s.timer.startedAt + s.timer.ms;
    if (churning && int32_t(nextChurn - due) <= 0) {
      if (int32_t(nextChurn - clock.now) > 0) clock.now = nextChurn;
      churn(fs, plan, events, o.seed + uint32_t(f.churns));
      ++f.churns;
      nextChurn += kChurnEvery;
      continue;
    }
    if (int32_t(nextMouse - due) <= 0) {
      if (int32_t(nextMouse - clock.now) > 0) clock.now = nextMouse;
      s.cursor.at = {400 + events.next(31) - 15, 300 + events.next(31) - 15};
      s.session.FormMouseMove();
      ++f.mouseMoves;
      nextMouse += kMouseEvery;
      continue;
    }
    if (int32_t(due - clock.now) > 0) clock.now = due;
    s.timer.startedAt = clock.now;
    s.session.Timer1Timer();
  }
  f.simulatedMs = clock.now - started;

  // A key ends it, as at the end of any show.
  s.session.FormKeyDown();
  s.prefetch.waitIdle();
  f.releasedAtClose = s.window.closed && s.scheduler.stopped && !s.state.FileMan && !s.state.CurrentItem;
  f.heapAfterClose = showHeap();
  f.styleRuns = s.styleRuns;
  f.movies = s.movie.opens;
  f.moviesRefused = s.movie.refused;
  f.loadFailures = s.slide.loadFailures;
  f.prefetched = s.slide.prefetchedLoads;
  f.fileLoads = s.slide.fileLoads;
  f.waveOnce = s.wave.once;
  f.waveLooped = s.wave.looped;
  f.mciSounds = s.itemSound.opens + s.bckSound.opens;
  f.captions = s.caption.shown;
}

double kib(int64_t bytes) { return double(bytes) / 1024.0; }

void printStyles(const Figures& f) {
  std::printf("transitions run per style (style: count)\n");
  for (int st = 0; st < kStyleCount; ++st) {
    std::printf("%4d:%-6" PRIu64 "%s", st, f.styleRuns[size_t(st)], st % 8 == 7 ? "\n" : "");
  }
  uint64_t lo = UINT64_MAX, hi = 0, sum = 0;
  for (uint64_t n : f.styleRuns) lo = std::min(lo, n), hi = std::max(hi, n), sum += n;
  std::printf("transitions: %" PRIu64 " (per style %" PRIu64 "..%" PRIu64 ")\n", sum, lo, hi);
}

}  // namespace

int run(int argc, char** argv) {
  Options o;
  if (!parse(argc, argv, o)) return 2;
  std::printf("soak: %.2f simulated hours, %d items, %dx%d frames, seed %u, heap by %s\n", o.hours, o.items,
              o.width, o.height, o.seed, heapMeterName());
  std::fflush(stdout);
  Figures f;
  f.samples.reserve(size_t(o.hours * 3600.0 / 2.0) + 16);  // at most a pass every two seconds
  const uint64_t heapBefore = heapInUse();
  const auto wall0 = std::chrono::steady_clock::now();
  {
    fake::FakeFileSystem fs;
    SoakCollection plan;
    if (!makeSoakCollection(fs, o.items, o.seed, plan)) return 1;
    runShow(o, fs, plan, f);
  }
  const uint64_t heapAfter = heapInUse();
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();

  printStyles(f);
  std::printf("steps %" PRIu64 ", passes %" PRIu64 ", simulated %.2f h in %.1f s\n", f.steps, f.passes,
              f.simulatedMs / 3600000.0, wall);
  std::printf("pictures: %" PRIu64 " from the decode ahead, %" PRIu64 " from the file, %" PRIu64
              " failed to load\n", f.prefetched, f.fileLoads, f.loadFailures);
  std::printf("movies: %" PRIu64 " played, %" PRIu64 " refused; sounds: wave %" PRIu64 " once, %" PRIu64
              " looped, MCI %" PRIu64 "; captions %" PRIu64 "\n", f.movies, f.moviesRefused, f.waveOnce,
              f.waveLooped, f.mciSounds, f.captions);
  std::printf("disk churn: %" PRIu64 " files changed; mouse moves inside the square: %" PRIu64 "\n", f.churns,
              f.mouseMoves);

  bool ok = !f.stalled && !f.endedByItself && f.releasedAtClose;
  if (f.stalled) std::printf("FAIL: the show stalled (no step due, no timer running)\n");
  if (f.endedByItself) std::printf("FAIL: the show ended by itself\n");
  if (!f.releasedAtClose) std::printf("FAIL: the close did not stop the scheduler and release the collection\n");
  for (uint64_t n : f.styleRuns)
    if (n == 0) {
      std::printf("FAIL: a style never ran\n");
      ok = false;
      break;
    }

  std::printf("heap (%s; the fake disk's file bytes left out): before %.1f KiB, after load %.1f KiB\n",
              heapMeterName(), kib(int64_t(heapBefore)), kib(int64_t(f.heapAfterLoad)));
  if (f.samples.size() >= 2) {
    // The first full pass has run every style and filled every cache once:
    // from then on the heap must stay where it is.
    const HeapSample& start = f.samples[1];
    const HeapSample& end = f.samples.back();
    uint64_t lo = UINT64_MAX, hi = 0;
    for (size_t i = 1; i < f.samples.size(); ++i) lo = std::min(lo, f.samples[i].bytes), hi = std::max(hi, f.samples[i].bytes);
    const int64_t growth = int64_t(end.bytes) - int64_t(start.bytes);
    std::printf("heap after item 0: first pass done (%.2f h) %.1f KiB, last pass, files put back (%.2f h) %.1f KiB, "
                "growth %+.2f KiB; range over %zu passes %.1f..%.1f KiB\n",
                start.atMs / 3600000.0, kib(int64_t(start.bytes)), end.atMs / 3600000.0, kib(int64_t(end.bytes)),
                kib(growth), f.samples.size() - 1, kib(int64_t(lo)), kib(int64_t(hi)));
    std::printf("heap at the first pass of each simulated hour (KiB):");
    int lastHour = -1;
    for (size_t i = 1; i < f.samples.size(); ++i) {
      const int hour = int(f.samples[i].atMs / 3600000);
      if (hour == lastHour) continue;
      lastHour = hour;
      std::printf("%s %d h %.1f", hour % 6 == 0 ? "\n " : "", hour, kib(int64_t(f.samples[i].bytes)));
    }
    std::printf("\n");
    if (std::llabs(growth) > o.slackKiB * 1024) {
      std::printf("FAIL: the heap grew by more than %" PRId64 " KiB\n", o.slackKiB);
      ok = false;
    }
  } else {
    std::printf("FAIL: fewer than two full passes; run longer\n");
    ok = false;
  }
  std::printf("heap after the close %.1f KiB; after teardown %.1f KiB (%+.2f KiB against before)\n",
              kib(int64_t(f.heapAfterClose)), kib(int64_t(heapAfter)), kib(int64_t(heapAfter) - int64_t(heapBefore)));
  std::printf("%s\n", ok ? "soak: OK" : "soak: FAILED");
  return ok ? 0 : 1;
}

}  // namespace vorn::soak

int main(int argc, char** argv) { return vorn::soak::run(argc, argv); }
