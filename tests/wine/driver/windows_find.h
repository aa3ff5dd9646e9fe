#pragma once
// Finding windows (of any process) and talking to their controls.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace driver {

struct WindowQuery {
  std::optional<std::string> className;      // exact, UTF-8
  std::optional<std::string> title;          // exact
  std::optional<std::string> titleContains;  // substring
  std::optional<DWORD> pid;                  // owning process
  std::optional<int> controlId;              // children only
  bool visibleOnly = true;
};

std::vector<HWND> findTopLevel(const WindowQuery& q);
std::vector<HWND> findDescendants(HWND parent, const WindowQuery& q);

std::string className(HWND w);
// WM_GETTEXT through a timed send, so a hung window cannot hang the driver;
// works for controls of other processes.
std::string windowText(HWND w);
std::string describe(HWND w);

// The text of a message box (the static control with id 0xFFFF, else the
// first static control that has a text).
std::optional<std::string> messageBoxText(HWND box);

// A button child by its text (an '&' in the caption is ignored) or by id.
HWND findButton(HWND parent, const std::string& text);
// Posts the click notification to the button's parent, as a real click ends
// in; posting never blocks on the target.
bool pressButton(HWND button);

}  // namespace driver
