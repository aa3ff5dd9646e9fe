#include "transition/fake/show_rig.h"

#include "transition/fake/picture_source.h"
#include "transition/show_window_settings.h"

namespace vorn::fake {

ShowRig::ShowRig(int32_t width, int32_t height, uint32_t seed) : random(seed) {
  host.width = width;
  host.height = height;
  player = std::make_unique<TTransitionPlayer>(PlayerServices{host, clock, pump, random, threads});
  host.player = player.get();
  TTransitionPlayer& p = *player;
  // The show window's stored settings; the show fills the window with it.
  p.SetAlign(TAlign::alClient);
  ApplyShowWindowSettings(p);
  p.SetThreadPriority(TThreadPriority::tpHighest);
}

Status ShowRig::showAt(const Bitmap24& picture) {
  TTransitionPlayer& p = *player;
  p.StopTransition();
  p.SetManual(false);
  p.SetStyle(0);
  if (Status s = loadBitmap(p.Picture(), picture); !s) return s;
  return p.StartTransition();
}

Status ShowRig::beginManual(const Bitmap24& picture, int style) {
  TTransitionPlayer& p = *player;
  p.StopTransition();
  p.SetStyle(style);
  if (Status s = loadBitmap(p.Picture(), picture); !s) return s;
  p.SetManual(true);
  return p.StartTransition();
}

void ShowRig::frameAt(int progress) {
  TTransitionPlayer& p = *player;
  if (progress != p.Progress())
    p.SetProgress(progress);
  else {
    p.RenderFrame();
  }
  host.updateNow();
}

}  // namespace vorn::fake
