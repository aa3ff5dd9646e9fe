#pragma once
// "Process messages" on the user-interface thread: dispatches what waits and
// returns. A quit request met on the way is put back for the main loop, and
// keys pressed on the show window or its children are previewed by the form.
#include <windows.h>

#include <functional>

#include "platform/message_pump.h"

namespace vorn::show::win32 {

class Win32MessagePump final : public MessagePump {
 public:
  void processMessages() override;
  // Returns true when the message was consumed (not to be dispatched).
  std::function<bool(MSG&)> PreTranslate;
  bool quitSeen() const { return quit_; }

 private:
  bool quit_ = false;
};

}  // namespace vorn::show::win32
