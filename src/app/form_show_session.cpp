// The show window's handlers. Until the show runs here, the full-screen form
// stays black and ends on a key, a click, or a mouse move beyond the 31 x 31
// square around where the cursor stood when the saver started.
#include <cstdlib>

#include "app/main_form.h"

namespace vorn::app {

void TForm1::SS1BeforeMainSaverActive(TScreenSaver&) {
  SaverActive = true;
  GetCursorPos(&StartCursorPos);
  InPreview = false;
}

void TForm1::FormShow() {}

void TForm1::FormKeyDown(WPARAM) {
  if (SaverActive) Close();
}

void TForm1::FormMouseMove() {
  if (!SaverActive) return;
  POINT p;
  GetCursorPos(&p);
  if (std::abs(p.x - StartCursorPos.x) > 15 || std::abs(p.y - StartCursorPos.y) > 15) Close();
}

void TForm1::TransitionPlayer1Click() {
  if (SaverActive) Close();
}

void TForm1::FormClose() {}

}  // namespace vorn::app
