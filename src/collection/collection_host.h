#pragma once
// What loading a collection needs from the running program, injected so the
// loader runs in tests: the executable's path as the system reports it for
// the running program (it may be in short 8.3 form), and the start-up step
// that hides the program's own application window.
#include <string>

namespace vorn {

class CollectionHost {
 public:
  virtual ~CollectionHost() = default;
  virtual std::string executablePath() = 0;  // Windows-1250
  // Finds the top-level window titled like the application and hides it, and
  // gives the application window the tool-window and topmost extended styles.
  virtual void hideApplicationWindow() = 0;
};

}  // namespace vorn
