#pragma once
// Synthetic keyboard and mouse input.
#include <windows.h>

#include <optional>
#include <string>

namespace driver {

// "Escape", "Enter", "Space", "Tab", "Back", "Left", "Right", "Up", "Down",
// "F1".."F12", "Shift", "Ctrl", "Alt", a single letter or digit, or a
// virtual-key code as 0xNN.
std::optional<WORD> keyCode(const std::string& name);

// Through the system's input queue (to whatever window has the focus).
bool sendKey(WORD vk);
bool typeText(const std::wstring& text);
// Posted straight to one window: WM_KEYDOWN, WM_CHAR when the key has a
// character, WM_KEYUP.
bool postKey(HWND w, WORD vk);

bool mouseMoveTo(int x, int y);  // screen coordinates
bool mouseMoveBy(int dx, int dy);
bool mouseClick(bool right);

}  // namespace driver
