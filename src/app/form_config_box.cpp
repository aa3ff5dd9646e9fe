// The configuration box's handlers. Until the settings panel is built here,
// Panel2 holds only its two buttons, and both close the box.
#include "app/main_form.h"

namespace vorn::app {

void TForm1::SS1BeforeConfigBoxActive(TScreenSaver&) {
  SaverActive = false;
  InPreview = false;
}

void TForm1::Button1Click() { Close(); }

void TForm1::Button2Click() { Close(); }

}  // namespace vorn::app
