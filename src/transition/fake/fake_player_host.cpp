#include "transition/fake/fake_player_host.h"

#include <algorithm>

#include "transition/transition_player.h"

namespace vorn::fake {

void FakePlayerHost::setClientSize(int32_t w, int32_t h) {
  if (w == width && h == height) return;
  width = w;
  height = h;
  if (player) player->Resized();
}

void FakePlayerHost::invalidate(const Rect& r) {
  invalidated.push_back(r);
  const Rect q = intersect(r, Rect{0, 0, width, height});
  if (q.empty()) return;
  if (pending.empty())
    pending = q;
  else
    pending = Rect{std::min(pending.left, q.left), std::min(pending.top, q.top), std::max(pending.right, q.right),
                   std::max(pending.bottom, q.bottom)};
}

void FakePlayerHost::updateNow() {
  if (pending.empty()) return;
  const Rect area = pending;
  pending = Rect{};
  if (player && player->Paint(area)) repainted.push_back(area);
}

}  // namespace vorn::fake
