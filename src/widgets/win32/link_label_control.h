#pragma once
// A real window for TLabelL / TURLLabel: paints the caption in the label's
// current font, shows the hand cursor, forwards mouse moves and left clicks,
// and is reachable by the keyboard (Tab, then Enter or Space opens the link).
#include <windows.h>

#include <memory>
#include <string>

#include "widgets/label_l.h"

namespace vorn::widgets::win32 {

constexpr wchar_t kLinkLabelClass[] = L"VornLinkLabel";

// Registers the window class once; the caption comes from the window text
// (Windows-1250 converted by the creator) and the address from setAddress.
void registerLinkLabelClass(HINSTANCE inst);

// The control's label after creation (null for other windows).
TURLLabel* linkLabelOf(HWND hwnd);
// Sets the address (and the caption when AUTOChange); repaints.
void setLinkAddress(HWND hwnd, const std::string& cp1250Address);

}  // namespace vorn::widgets::win32
