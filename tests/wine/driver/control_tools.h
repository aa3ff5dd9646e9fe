#pragma once
// Changing the value of another process's list and edit controls the way the
// user's own input would: the control gets its own message, and its parent
// gets the notification the user's change ends in, so the dialog's own
// handlers run.
#include <windows.h>

#include <optional>
#include <string>

namespace driver {

// A descendant of parent by control id, hidden ones included (controls on a
// page that is not shown).
HWND findControl(HWND parent, int id);

// Selects row index of a combo box or list box and sends CBN_SELCHANGE or
// LBN_SELCHANGE to its parent. False with error when it is neither or the
// row does not exist.
bool selectRow(HWND control, int index, std::string& error);
// The selected row of a combo box or list box (-1 for none).
std::optional<int> selectedRow(HWND control, std::string& error);
// Replaces the text of an edit (or any window) through WM_SETTEXT; an edit
// notifies its parent with EN_CHANGE as after typing.
bool setText(HWND control, const std::wstring& text, std::string& error);
// Checks or clears a check box or radio button by clicking it when its state
// differs (BM_CLICK, so the parent sees BN_CLICKED).
bool setChecked(HWND control, bool checked, std::string& error);

// The screen position of a point given in the control's client coordinates.
POINT clientToScreen(HWND control, int x, int y);

}  // namespace driver
