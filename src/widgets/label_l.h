#pragma once
// Hover and link labels of the about page. The behaviour (fonts, capture,
// the shell call) is here; the Windows control in win32/ only forwards its
// mouse messages and paints the current font and caption.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/shell.h"

namespace vorn::widgets {

struct LabelFont {
  uint32_t color = 0;  // 0x00BBGGRR
  bool underline = false;
  bool bold = false;
  bool italic = false;
  friend bool operator==(const LabelFont&, const LabelFont&) = default;
};

// What a label needs of its surroundings.
class LabelHost {
 public:
  virtual ~LabelHost() = default;
  virtual bool holdsCapture() = 0;
  virtual void setCapture() = 0;
  virtual void releaseCapture() = 0;
  virtual bool enabled() = 0;
  virtual bool visible() = 0;
  virtual bool formActive() = 0;
  virtual int32_t width() = 0;
  virtual int32_t height() = 0;
  virtual void fontChanged() = 0;  // repaint
};

class TLabelL {
 public:
  explicit TLabelL(LabelHost& host);
  virtual ~TLabelL() = default;

  LabelFont Font;  // the label's own current font
  LabelFont FontDefault{0xFF0000, true};  // blue, underlined
  LabelFont FontOnMouse{0xFFFF00, true};  // aqua, underlined
  bool MouseInside = false;
  std::string Caption;

  void setFontDefault(const LabelFont& f) {
    Font = f;
    FontDefault = f;
  }
  void setFontOnMouse(const LabelFont& f) { FontOnMouse = f; }

  // x and y are the message's signed 16-bit client coordinates.
  void WMMouseMove(int16_t x, int16_t y);

 protected:
  LabelHost& host_;
};

class TURLLabel : public TLabelL {
 public:
  TURLLabel(LabelHost& host, Shell& shell);

  std::string URLAddress;
  bool AUTOChange = false;
  std::function<void(TURLLabel&)> OnBeforeCall;  // THivasElott
  std::function<void(TURLLabel&)> OnAfterCall;   // THivasUtan

  void setURLAddress(const std::string& address);
  void WMLButtonDown() { CallURL(); }
  virtual bool CallURL();

 private:
  Shell& shell_;
};

}  // namespace vorn::widgets
