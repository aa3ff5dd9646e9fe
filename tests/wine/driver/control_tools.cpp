#include "control_tools.h"

#include "windows_find.h"

namespace driver {
namespace {

constexpr UINT kSendLimitMs = 5000;

bool sendTimed(HWND w, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  DWORD_PTR r = 0;
  if (!SendMessageTimeoutW(w, msg, wp, lp, SMTO_ABORTIFHUNG, kSendLimitMs, &r)) return false;
  result = static_cast<LRESULT>(r);
  return true;
}

enum class ListKind { None, Combo, List };

ListKind kindOf(HWND c) {
  const std::string cls = className(c);
  if (lstrcmpiA(cls.c_str(), "ComboBox") == 0) return ListKind::Combo;
  if (lstrcmpiA(cls.c_str(), "ListBox") == 0) return ListKind::List;
  return ListKind::None;
}

}  // namespace

HWND findControl(HWND parent, int id) {
  WindowQuery q;
  q.visibleOnly = false;
  q.controlId = id;
  std::vector<HWND> found = findDescendants(parent, q);
  return found.empty() ? nullptr : found.front();
}

bool selectRow(HWND c, int index, std::string& error) {
  const ListKind kind = kindOf(c);
  if (kind == ListKind::None) {
    error = "not a combo box or list box: " + className(c);
    return false;
  }
  const bool combo = kind == ListKind::Combo;
  LRESULT count = 0;
  if (!sendTimed(c, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0, count)) {
    error = "the control does not answer";
    return false;
  }
  if (index < 0 || index >= count) {
    error = "row " + std::to_string(index) + " of " + std::to_string(count) + " rows";
    return false;
  }
  LRESULT r = 0;
  if (!sendTimed(c, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index), 0, r) ||
      r != index) {
    error = "the control refused the row";
    return false;
  }
  // Setting the row by message raises no notification; the user's choice
  // would, so send it the way the control itself does.
  const WORD code = combo ? CBN_SELCHANGE : LBN_SELCHANGE;
  if (!sendTimed(GetParent(c), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c), code),
                 reinterpret_cast<LPARAM>(c), r)) {
    error = "the parent does not answer";
    return false;
  }
  return true;
}

std::optional<int> selectedRow(HWND c, std::string& error) {
  const ListKind kind = kindOf(c);
  if (kind == ListKind::None) {
    error = "not a combo box or list box: " + className(c);
    return std::nullopt;
  }
  LRESULT r = 0;
  if (!sendTimed(c, kind == ListKind::Combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0, r)) {
    error = "the control does not answer";
    return std::nullopt;
  }
  return static_cast<int>(r);
}

bool setText(HWND c, const std::wstring& text, std::string& error) {
  LRESULT r = 0;
  if (!sendTimed(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), r) || !r) {
    error = "the control refused the text";
    return false;
  }
  return true;
}

bool setChecked(HWND c, bool checked, std::string& error) {
  LRESULT state = 0;
  if (!sendTimed(c, BM_GETCHECK, 0, 0, state)) {
    error = "the control does not answer";
    return false;
  }
  if ((state == BST_CHECKED) == checked) return true;
  LRESULT r = 0;
  if (!sendTimed(c, BM_CLICK, 0, 0, r) || !sendTimed(c, BM_GETCHECK, 0, 0, state)) {
    error = "the control does not answer";
    return false;
  }
  if ((state == BST_CHECKED) != checked) {
    error = "the click did not change the check mark";
    return false;
  }
  return true;
}

POINT clientToScreen(HWND c, int x, int y) {
  POINT p{x, y};
  ClientToScreen(c, &p);
  return p;
}

}  // namespace driver
