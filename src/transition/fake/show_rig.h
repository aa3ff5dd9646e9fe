#pragma once
// A player set up as the show window holds it, on a fake window of a given
// size, with every service faked: the frame tool, the benchmark and the tests
// use it to compose frames exactly as the show would.
#include <memory>

#include "platform/fake/fake_clock.h"
#include "platform/random.h"
#include "transition/fake/fake_player_host.h"
#include "transition/std_worker_threads.h"
#include "transition/transition_player.h"

namespace vorn::fake {

struct ShowRig {
  ShowRig(int32_t width, int32_t height, uint32_t seed = 1);

  // Shows a picture at once (style 0), as the previous slide left it.
  Status showAt(const Bitmap24& picture);
  // Starts a paused transition to the picture; SetProgress then moves it.
  Status beginManual(const Bitmap24& picture, int style);
  // Composes the frame at the given progress and repaints the window.
  void frameAt(int progress);

  FakeClock clock;
  FakeMessagePump pump;
  LcgRandom random;
  FakePlayerHost host;
  StdWorkerThreads threads{host.calls};
  std::unique_ptr<TTransitionPlayer> player;
};

}  // namespace vorn::fake
