#pragma once
// A player with every service faked and the defaults of a new control.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/fake/fake_clock.h"
#include "platform/random.h"
#include "transition/fake/fake_player_host.h"
#include "transition/fake/picture_source.h"
#include "transition/std_worker_threads.h"
#include "transition/transition_player.h"

namespace vorn::testing {

struct PlayerRig {
  PlayerRig() {
    player = std::make_unique<TTransitionPlayer>(PlayerServices{host, clock, pump, random, threads});
    host.player = player.get();
  }
  ~PlayerRig() {
    host.player = nullptr;
    player.reset();
  }
  void load(const Bitmap24& b) { ASSERT_TRUE(fake::loadBitmap(player->Picture(), b).ok()); }
  // Records the event stream of the player as short strings.
  void recordEvents() {
    TTransitionPlayer& p = *player;
    p.OnBeforeNewFrame = [this](TCustomTransitionPlayer& s, const Bitmap24&, Bitmap24&) {
      events.push_back("before" + std::to_string(s.Progress()));
    };
    p.OnAfterNewFrame = [this](TCustomTransitionPlayer& s, const Bitmap24&, Bitmap24&) {
      events.push_back("after" + std::to_string(s.Progress()));
    };
    p.OnProgress = [this](TCustomTransitionPlayer& s) {
      events.push_back("progress" + std::to_string(s.Progress()));
      frames.push_back(s.Progress());
      frameTicks.push_back(clock.now);
      if (onProgress) onProgress(s);
    };
    p.OnComplete = [this](TCustomTransitionPlayer&) { events.push_back("complete"); ++completes; };
  }

  fake::FakeClock clock;
  fake::FakeMessagePump pump;
  LcgRandom random{1};
  fake::FakePlayerHost host;
  StdWorkerThreads threads{host.calls};
  std::unique_ptr<TTransitionPlayer> player;

  std::vector<std::string> events;
  std::vector<int> frames;
  std::vector<uint32_t> frameTicks;
  int completes = 0;
  std::function<void(TCustomTransitionPlayer&)> onProgress;
};

inline Bitmap24 solid(int32_t w, int32_t h, Color c) {
  Bitmap24 b(w, h);
  b.fill(c);
  return b;
}

}  // namespace vorn::testing
