#pragma once
// Screen captures as 24-bit bottom-up BMP files.
#include <windows.h>

#include <string>

namespace driver {

// A rectangle of the screen (screen coordinates), clipped to the screen.
bool captureScreenRect(RECT r, const std::wstring& file, std::string& error);
bool captureScreen(const std::wstring& file, std::string& error);
// The window's outer rectangle as it stands on the screen (what covers it
// is captured too: bring it to the front first if that matters).
bool captureWindow(HWND w, const std::wstring& file, std::string& error);

}  // namespace driver
