#include "widgets/label_l.h"

namespace vorn::widgets {

TLabelL::TLabelL(LabelHost& host) : host_(host) {}

void TLabelL::WMMouseMove(int16_t x, int16_t y) {
  if (!host_.holdsCapture()) {
    host_.setCapture();
    if (host_.enabled() && host_.visible() && host_.formActive()) {
      Font = FontOnMouse;
      host_.fontChanged();
    }
  }
  // A point on the width or height itself still counts as inside.
  const bool outside = x < 0 || y < 0 || x > host_.width() || y > host_.height();
  if (host_.holdsCapture() && outside && MouseInside) {
    MouseInside = false;
    Font = FontDefault;
    host_.fontChanged();
    host_.releaseCapture();
  }
  if (host_.holdsCapture() && !outside && !MouseInside) MouseInside = true;
}

TURLLabel::TURLLabel(LabelHost& host, Shell& shell) : TLabelL(host), shell_(shell) {
  Font = LabelFont{0xFF0000, true};
  FontOnMouse.color = 0x008000;  // green
}

void TURLLabel::setURLAddress(const std::string& address) {
  URLAddress = address;
  if (AUTOChange) Caption = address;
}

bool TURLLabel::CallURL() {
  if (OnBeforeCall) OnBeforeCall(*this);
  shell_.setWaitCursor(true);
  shell_.open(URLAddress);
  shell_.setWaitCursor(false);
  if (OnAfterCall) OnAfterCall(*this);
  return true;
}

}  // namespace vorn::widgets
