#include "text_fit.h"

#include <algorithm>

namespace vorn::testing {
namespace {

std::wstring classOf(HWND w) {
  wchar_t buf[64] = {};
  GetClassNameW(w, buf, 64);
  return buf;
}

std::wstring textOf(HWND w) {
  std::wstring t(size_t(GetWindowTextLengthW(w)) + 1, L'\0');
  t.resize(size_t(GetWindowTextW(w, t.data(), int(t.size()))));
  return t;
}

std::string utf8(const std::wstring& w) {
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

int dpiOf(HDC dc) { return GetDeviceCaps(dc, LOGPIXELSX); }

// How a control lays out its text: the room left of its client area, and
// the DrawText flags it draws with.
struct Layout {
  bool measured = false;
  bool groupBox = false;
  int left = 0;   // text starts this far into the client area
  int room = 0;   // width available for the text
  int height = 0; // height available
  UINT flags = 0;
};

Layout layoutOf(HWND c, HDC dc, const RECT& client) {
  Layout l;
  const std::wstring cls = classOf(c);
  const LONG style = GetWindowLongW(c, GWL_STYLE);
  const int w = client.right, h = client.bottom;
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  if (lstrcmpiW(cls.c_str(), L"Static") == 0) {
    const LONG type = style & SS_TYPEMASK;
    if (type > SS_RIGHT && type != SS_SIMPLE && type != SS_LEFTNOWORDWRAP) return l;
    l.measured = true;
    l.room = w;
    l.height = h;
    l.flags = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
    if (type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP || (style & SS_CENTERIMAGE))
      l.flags |= DT_SINGLELINE;
    else
      l.flags |= DT_WORDBREAK;
    return l;
  }
  if (lstrcmpiW(cls.c_str(), L"Button") == 0) {
    const LONG type = style & BS_TYPEMASK;
    if (type == BS_OWNERDRAW || type == BS_USERBUTTON) return l;
    l.measured = true;
    l.flags = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    const int edge = GetSystemMetrics(SM_CXEDGE);
    if (type == BS_GROUPBOX) {
      // The caption sits on the frame, one average character in from each end.
      l.groupBox = true;
      l.flags = DT_SINGLELINE;
      l.left = tm.tmAveCharWidth;
      l.room = w - 2 * tm.tmAveCharWidth;
      l.height = h;
    } else if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
      // Inside the raised edge; the single line is centred vertically.
      l.left = edge;
      l.room = w - 2 * edge;
      l.height = h - 2 * edge;
    } else {
      // Check boxes and radio buttons: the box (13 px at 96 DPI), then half
      // a digit's width of gap before the text.
      INT zero = 0;
      GetCharWidth32W(dc, L'0', L'0', &zero);
      l.left = MulDiv(13, dpiOf(dc), 96) + zero / 2;
      l.room = w - l.left;
      l.height = h;
    }
    return l;
  }
  if (lstrcmpiW(cls.c_str(), L"VornLinkLabel") == 0) {
    l.measured = true;
    l.flags = DT_SINGLELINE | DT_NOPREFIX;
    l.room = w;
    l.height = h;
  }
  return l;
}

HFONT fontOf(HWND c) {
  HFONT f = reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0));
  return f ? f : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

bool intersects(const RECT& a, const RECT& b) {
  RECT r;
  return IntersectRect(&r, &a, &b) != 0;
}

// The window rectangles of the visible siblings that a text must not run
// into (group boxes frame other controls, so they are left out).
std::vector<RECT> obstaclesBeside(HWND c) {
  std::vector<RECT> out;
  for (HWND s = GetWindow(GetParent(c), GW_CHILD); s; s = GetWindow(s, GW_HWNDNEXT)) {
    if (s == c || !IsWindowVisible(s)) continue;
    if (lstrcmpiW(classOf(s).c_str(), L"Button") == 0 &&
        (GetWindowLongW(s, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX)
      continue;
    RECT r;
    GetWindowRect(s, &r);
    out.push_back(r);
  }
  return out;
}

void check(HWND c, std::vector<Misfit>& found) {
  const std::wstring text = textOf(c);
  if (text.empty()) return;
  RECT client;
  GetClientRect(c, &client);
  HDC dc = GetDC(c);
  HGDIOBJ old = SelectObject(dc, fontOf(c));
  const Layout l = layoutOf(c, dc, client);
  RECT need{0, 0, std::max(l.room, 1), 0};
  if (l.measured) DrawTextW(dc, text.c_str(), int(text.size()), &need, DT_CALCRECT | l.flags);
  SelectObject(dc, old);
  ReleaseDC(c, dc);
  if (!l.measured) return;
  auto add = [&](const std::string& why) { found.push_back({GetDlgCtrlID(c), utf8(text), why}); };
  const int needW = need.right - need.left, needH = need.bottom - need.top;
  if (needW > l.room)
    add("needs " + std::to_string(needW) + " px wide, has " + std::to_string(l.room));
  // A group box's caption overlaps the frame's top edge; only its width counts.
  if (!l.groupBox && needH > l.height)
    add("needs " + std::to_string(needH) + " px high, has " + std::to_string(l.height));
  if (!IsWindowVisible(c) || l.groupBox) return;
  // Where the text is drawn on the screen (top-aligned is enough here: a
  // vertically centred single line lies inside the same band).
  POINT origin{l.left, 0};
  ClientToScreen(c, &origin);
  RECT drawn{origin.x, origin.y, origin.x + std::min(needW, l.room), origin.y + std::min(needH, l.height)};
  for (const RECT& r : obstaclesBeside(c))
    if (intersects(drawn, r)) {
      add("runs into a neighbour at " + std::to_string(r.left) + "," + std::to_string(r.top));
      break;
    }
}

BOOL CALLBACK visit(HWND c, LPARAM lp) {
  check(c, *reinterpret_cast<std::vector<Misfit>*>(lp));
  return TRUE;
}

}  // namespace

std::vector<Misfit> misfitTexts(HWND root) {
  std::vector<Misfit> found;
  EnumChildWindows(root, visit, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::string describe(const std::vector<Misfit>& misfits) {
  std::string s;
  for (const Misfit& m : misfits)
    s += "  id " + std::to_string(m.id) + " \"" + m.text + "\": " + m.reason + "\n";
  return s;
}

}  // namespace vorn::testing
