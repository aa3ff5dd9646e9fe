#pragma once
// Windows whose procedure serves a C++ object: the object is passed as the
// CreateWindowEx parameter and kept in GWLP_USERDATA from WM_NCCREATE on, the
// first message that carries it.
#include <windows.h>

namespace vorn::win32 {

// The object that owns `hwnd`, taking it from the creation parameters on
// WM_NCCREATE; null for messages before that one and after the owner let go.
template <class Owner>
Owner* windowOwner(HWND hwnd, UINT msg, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  return reinterpret_cast<Owner*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

}  // namespace vorn::win32
