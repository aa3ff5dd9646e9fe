#pragma once
// Finds texts of a window's controls that do not fit: every static, button,
// check box, radio button, group box and link label below the root is
// measured in its own font (DrawText with DT_CALCRECT, wrapping as the
// control wraps) against the room its client rectangle leaves, and against
// the visible sibling controls the text would run into.
#include <windows.h>

#include <string>
#include <vector>

namespace vorn::testing {

struct Misfit {
  int id = 0;
  std::string text;    // UTF-8, for the failure message
  std::string reason;  // what does not fit, with the sizes
};

std::vector<Misfit> misfitTexts(HWND root);
std::string describe(const std::vector<Misfit>& misfits);

}  // namespace vorn::testing
