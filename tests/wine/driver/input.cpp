#include "input.h"

#include <cstdlib>
#include <cstring>

namespace driver {

std::optional<WORD> keyCode(const std::string& name) {
  static const struct {
    const char* name;
    WORD vk;
  } named[] = {{"Escape", VK_ESCAPE}, {"Esc", VK_ESCAPE}, {"Enter", VK_RETURN},
               {"Return", VK_RETURN}, {"Space", VK_SPACE}, {"Tab", VK_TAB},
               {"Back", VK_BACK},     {"Left", VK_LEFT},   {"Right", VK_RIGHT},
               {"Up", VK_UP},         {"Down", VK_DOWN},   {"Shift", VK_SHIFT},
               {"Ctrl", VK_CONTROL},  {"Alt", VK_MENU},    {"Delete", VK_DELETE},
               {"Home", VK_HOME},     {"End", VK_END}};
  for (const auto& k : named)
    if (_stricmp(k.name, name.c_str()) == 0) return k.vk;
  if ((name[0] == 'F' || name[0] == 'f') && name.size() >= 2 && name.size() <= 3) {
    int n = atoi(name.c_str() + 1);
    if (n >= 1 && n <= 12) return static_cast<WORD>(VK_F1 + n - 1);
  }
  if (name.size() == 1) {
    char c = name[0];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<WORD>(c);
  }
  if (name.size() > 2 && name[0] == '0' && (name[1] == 'x' || name[1] == 'X')) {
    char* end = nullptr;
    unsigned long v = strtoul(name.c_str() + 2, &end, 16);
    if (*end == 0 && v > 0 && v < 256) return static_cast<WORD>(v);
  }
  return std::nullopt;
}

bool sendKey(WORD vk) {
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[0].ki.wScan = in[1].ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  return SendInput(2, in, sizeof(INPUT)) == 2;
}

bool typeText(const std::wstring& text) {
  for (wchar_t ch : text) {
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wScan = in[1].ki.wScan = ch;
    in[0].ki.dwFlags = KEYEVENTF_UNICODE;
    in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    if (SendInput(2, in, sizeof(INPUT)) != 2) return false;
  }
  return true;
}

bool postKey(HWND w, WORD vk) {
  UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
  LPARAM up = down | (1u << 30) | (1u << 31);
  if (!PostMessageW(w, WM_KEYDOWN, vk, down)) return false;
  UINT ch = MapVirtualKeyW(vk, MAPVK_VK_TO_CHAR);
  if (ch) PostMessageW(w, WM_CHAR, ch, down);
  return PostMessageW(w, WM_KEYUP, vk, up) != 0;
}

bool mouseMoveTo(int x, int y) {
  // Absolute input is in 0..65535 over all monitors together.
  int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  int w = GetSystemMetrics(SM_CXVIRTUALSCREEN), h = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  x -= left;
  y -= top;
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>((x * 65535LL + w / 2) / (w > 1 ? w - 1 : 1));
  in.mi.dy = static_cast<LONG>((y * 65535LL + h / 2) / (h > 1 ? h - 1 : 1));
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
  return SendInput(1, &in, sizeof(INPUT)) == 1;
}

bool mouseMoveBy(int dx, int dy) {
  POINT p{};
  GetCursorPos(&p);
  return mouseMoveTo(p.x + dx, p.y + dy);
}

bool mouseClick(bool right) {
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  return SendInput(2, in, sizeof(INPUT)) == 2;
}

}  // namespace driver
