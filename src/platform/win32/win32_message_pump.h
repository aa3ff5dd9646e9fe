#pragma once
// "Process messages" on the user-interface thread: dispatches what waits and
// returns. A quit request met on the way is put back for the program's own
// message loop, and from then on nothing more is dispatched here.
#include <windows.h>

#include <functional>

#include "platform/message_pump.h"

namespace vorn::win32 {

class Win32MessagePump final : public MessagePump {
 public:
  void processMessages() override;
  // Sees each message first; true when it consumed it (not to be dispatched).
  std::function<bool(MSG&)> PreTranslate;
  bool quitSeen() const { return quit_; }

 private:
  bool quit_ = false;
};

}  // namespace vorn::win32
