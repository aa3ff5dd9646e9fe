#include "windows_find.h"

#include "utf.h"

namespace driver {
namespace {

bool matches(HWND w, const WindowQuery& q) {
  if (q.visibleOnly && !IsWindowVisible(w)) return false;
  if (q.pid) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != *q.pid) return false;
  }
  if (q.className && className(w) != *q.className) return false;
  if (q.controlId && GetDlgCtrlID(w) != *q.controlId) return false;
  if (q.title || q.titleContains) {
    std::string t = windowText(w);
    if (q.title && t != *q.title) return false;
    if (q.titleContains && t.find(*q.titleContains) == std::string::npos) return false;
  }
  return true;
}

struct Collect {
  const WindowQuery* q;
  std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND w, LPARAM lp) {
  auto* c = reinterpret_cast<Collect*>(lp);
  if (matches(w, *c->q)) c->found.push_back(w);
  return TRUE;
}

std::string withoutAmpersands(const std::string& s) {
  std::string r;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '&') {
      if (i + 1 < s.size() && s[i + 1] == '&') r += s[++i];
      continue;
    }
    r += s[i];
  }
  return r;
}

}  // namespace

std::vector<HWND> findTopLevel(const WindowQuery& q) {
  Collect c{&q, {}};
  EnumWindows(collect, reinterpret_cast<LPARAM>(&c));
  return c.found;
}

std::vector<HWND> findDescendants(HWND parent, const WindowQuery& q) {
  Collect c{&q, {}};
  EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&c));
  return c.found;
}

std::string className(HWND w) {
  wchar_t buf[256];
  int n = GetClassNameW(w, buf, 256);
  return toUtf8(std::wstring(buf, n > 0 ? static_cast<size_t>(n) : 0));
}

std::string windowText(HWND w) {
  DWORD_PTR len = 0;
  if (!SendMessageTimeoutW(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &len)) return {};
  std::wstring buf(len + 2, L'\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutW(w, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()),
                           SMTO_ABORTIFHUNG, 2000, &got))
    return {};
  buf.resize(got < buf.size() ? got : buf.size());
  return toUtf8(buf);
}

std::string describe(HWND w) {
  char head[64];
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  RECT r{};
  GetWindowRect(w, &r);
  snprintf(head, sizeof head, "0x%08lX", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(w)));
  char tail[160];
  snprintf(tail, sizeof tail, " id=%d pid=%lu visible=%d rect=%ld,%ld,%ld,%ld", GetDlgCtrlID(w),
           static_cast<unsigned long>(pid), IsWindowVisible(w) ? 1 : 0, r.left, r.top, r.right,
           r.bottom);
  return std::string(head) + " class=\"" + visible(className(w)) + "\" text=\"" +
         visible(windowText(w)) + "\"" + tail;
}

std::optional<std::string> messageBoxText(HWND box) {
  WindowQuery q;
  q.visibleOnly = false;
  q.className = "Static";
  q.controlId = 0xFFFF;
  std::vector<HWND> byId = findDescendants(box, q);
  if (!byId.empty()) return windowText(byId.front());
  q.controlId.reset();
  for (HWND s : findDescendants(box, q)) {
    std::string t = windowText(s);
    if (!t.empty()) return t;
  }
  return std::nullopt;
}

HWND findButton(HWND parent, const std::string& text) {
  WindowQuery q;
  q.className = "Button";
  for (HWND b : findDescendants(parent, q))
    if (withoutAmpersands(windowText(b)) == withoutAmpersands(text)) return b;
  return nullptr;
}

bool pressButton(HWND button) {
  HWND parent = GetParent(button);
  if (!parent) return false;
  int id = GetDlgCtrlID(button);
  return PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(button)) != 0;
}

}  // namespace driver
