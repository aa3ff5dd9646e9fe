#pragma once
// The show window's stored settings of its transition player. The show and
// the rigs that stand in for it in tests start from the same settings.
#include "transition/transition_player.h"

namespace vorn {

inline void ApplyShowWindowSettings(TTransitionPlayer& p) {
  p.SetBgMode(TBackgroundMode::bmNone);
  p.SetCenter(true);
  p.SetColor(rgb(0, 0, 0));
  p.SetDelay(30);
  p.SetStretch(true);
  p.SetStretchFine(true);
  p.SetStep(10);
  p.SetStyle(0);
  p.SetThreaded(false);
}

}  // namespace vorn
