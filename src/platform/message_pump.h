#pragma once

namespace vorn {

// Dispatches the user-interface messages that are waiting (the platform's
// "process messages"); returns at once when there are none.
class MessagePump {
 public:
  virtual ~MessagePump() = default;
  virtual void processMessages() = 0;
};

}  // namespace vorn
