#pragma once
// A plain top-level window for Panel2 to live in during a test, as the main
// form holds it in the product.
#include <windows.h>

namespace vorn::testing {

inline LRESULT CALLBACK panelHostProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  return DefWindowProcW(h, m, w, l);
}

inline HWND makePanelHost() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = panelHostProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VornPanelTestHost";
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  RegisterClassW(&wc);  // fails harmlessly from the second test on
  return CreateWindowExW(0, wc.lpszClassName, L"Panel2 test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                         0, 1000, 800, nullptr, nullptr, wc.hInstance, nullptr);
}

}  // namespace vorn::testing
