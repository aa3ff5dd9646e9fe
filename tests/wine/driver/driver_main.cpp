// vorn_driver: drives Win32 programs under Wine (or Windows) for the tests.
// It runs a list of commands (from -f FILE and -c "COMMAND" in the order
// given), stops at the first that fails, and always ends the process it
// started. Every wait has a limit, and the whole run has one too.
//
//   vorn_driver.exe [--timeout MS] [--quiet] (-f SCRIPT | -c "COMMAND")...
//
// Exit codes: 0 every command passed, 1 a command failed, 2 bad usage or
// script, 3 the overall time limit ran out. See usage() for the commands.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>

#include "capture.h"
#include "control_tools.h"
#include "input.h"
#include "registry_tools.h"
#include "resource_watch.h"
#include "script.h"
#include "utf.h"
#include "windows_find.h"

namespace driver {
namespace {

const char* kUsage = R"(vorn_driver.exe [--timeout MS] [--quiet] (-f SCRIPT | -c "COMMAND")...
Commands (one a line in SCRIPT; UTF-8; "..." quotes with \" \\ \r \n \t; # comments):
  start EXE [ARG...]              start EXE, each ARG quoted when it holds blanks or is empty
  start-raw EXE TAIL              start with the command line "EXE" TAIL (TAIL verbatim)
  wait-window SEL [--timeout MS]  wait for a top-level window, make it current, print it
  find-window SEL                 the same, without waiting
  wait-gone SEL [--timeout MS]    wait until no top-level window matches
  select-child SEL                make the first matching descendant of the current window current
  list-windows [SEL]              print matching top-level windows (all visible ones without SEL)
  list-children                   print the current window's descendants
  expect-title TEXT               the current window's text is TEXT
  expect-text [--id N] TEXT       the child with id N has TEXT; without --id: the message box text
  print-text [--id N]             print the same text
  press TEXT | press --id N       click a button of the current window (by caption, '&' ignored)
  key NAME...                     keys through the input queue, after bringing the current window forward
  post-key NAME...                keys posted to the current window
  type TEXT                       characters through the input queue
  mouse-move X Y | mouse-move --by DX DY | mouse-move --centre   (screen coordinates; the
                                  last: the centre of the current window)
  click [--right] [X Y]           mouse click, after moving there when X Y are given
  send-message MSG WPARAM LPARAM  send a message to the current window, print "result N"
  steal-focus [--for MS]          make a window of the driver's the foreground window, keep it MS;
                                  print who is in the foreground then ("current", "driver" or
                                  "other") and how many WM_ACTIVATE (WA_ACTIVE, current window)
                                  were posted to the driver's window
  wait-file PATH [--timeout MS]   wait until the file exists (a hand-over to the calling script)
  capture-screen FILE.bmp         24-bit BMP of the screen
  capture-window FILE.bmp         24-bit BMP of the current window's rectangle on the screen
  wait-exit [--timeout MS]        wait for the started process to end, print its exit code
  expect-exit CODE [--timeout MS] wait-exit, then compare the exit code
  expect-running [--for MS]       the started process still runs (after waiting MS)
  kill                            end the started process now
  expect-cursor shown|hidden      the cursor as the foreground thread's show count leaves it
  watch-resources [--every MS] [--for MS] [--settle MS] [--window N] [--private-slack-kib N]
                  [--handle-slack N] [--gdi-slack N] [--user-slack N] [--window-slack N]
                                  sample the started process's private bytes, handles, GDI and
                                  USER objects and windows; fails when it ends or a level grows
                                  (the working set, standing in where private bytes read 0,
                                  gets twice the private slack)
  memory [--peak-max-kib N]       print the started process's working set and its peak; fail when
                                  the peak lies above N KiB
  lock-file PATH                  open PATH sharing nothing (no other opening succeeds) until the
                                  driver ends
  sleep MS
  reg-expect ROOT KEY NAME VALUE  a REG_SZ (or DWORD, as decimal) value; ROOT is HKCU or HKLM
  reg-expect-missing ROOT KEY NAME
  reg-print ROOT KEY NAME         print "value DATA"
  reg-set ROOT KEY NAME VALUE | reg-set-dword ROOT KEY NAME N | reg-delete ROOT KEY NAME
  reg-deny-write ROOT KEY | reg-allow-write ROOT KEY   access list refusing / allowing writes
  select-row --id N ROW           choose row ROW of a combo or list box (any descendant), notify its parent
  expect-row --id N ROW           the combo or list box has row ROW selected (-1: none)
  set-text --id N TEXT            replace the text of a descendant control (an edit sends EN_CHANGE)
  click-in --id N X Y             mouse click at X Y of a descendant control's client area
  set-check --id N 0|1            click a check box or radio button until it has that state
  expect-enabled --id N 0|1       a descendant control is disabled (0) or enabled (1)
  echo TEXT
SEL: --class C  --title T  --title-contains T  --pid started|N  --id N  --hidden
Names: Escape Enter Space Tab Back Left Right Up Down Delete Home End Shift Ctrl Alt F1..F12, A-Z, 0-9, 0xNN.
Paths starting with '/' are taken as Unix paths (Z: drive).
)";

struct Args {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;  // "--name" -> value ("" for flags)
  bool has(const std::string& o) const { return options.count(o) > 0; }
  std::string get(const std::string& o, const std::string& def = {}) const {
    auto it = options.find(o);
    return it == options.end() ? def : it->second;
  }
};

const std::set<std::string>& flagOptions() {
  static const std::set<std::string> flags{"--hidden", "--right", "--by", "--centre"};
  return flags;
}

Args parseArgs(const std::vector<std::string>& words) {
  Args a;
  for (size_t i = 1; i < words.size(); ++i) {
    const std::string& w = words[i];
    if (w.size() > 2 && w[0] == '-' && w[1] == '-' && !(w[2] >= '0' && w[2] <= '9')) {
      if (flagOptions().count(w) || i + 1 >= words.size())
        a.options[w] = "";
      else
        a.options[w] = words[++i];
    } else {
      a.positional.push_back(w);
    }
  }
  return a;
}

std::wstring windowsPath(const std::string& p) {
  std::string s = p;
  if (!s.empty() && s[0] == '/') {
    for (char& c : s)
      if (c == '/') c = '\\';
    s = "Z:" + s;
  }
  return fromUtf8(s);
}

std::wstring quoteArg(const std::wstring& a) {
  if (!a.empty() && a.find_first_of(L" \t\"") == std::wstring::npos) return a;
  return L"\"" + a + L"\"";
}

struct Failure {
  std::string message;
};

class Driver {
 public:
  explicit Driver(bool quiet) : quiet_(quiet) {
    table_ = {
        {"start", [this](const Args& a) { start(a, false); }},
        {"start-raw", [this](const Args& a) { start(a, true); }},
        {"wait-window", [this](const Args& a) { waitWindow(a, true); }},
        {"find-window", [this](const Args& a) { waitWindow(a, false); }},
        {"wait-gone", [this](const Args& a) { waitGone(a); }},
        {"select-child", [this](const Args& a) { selectChild(a); }},
        {"list-windows", [this](const Args& a) { listWindows(a); }},
        {"list-children", [this](const Args&) { listChildren(); }},
        {"expect-title", [this](const Args& a) { expectTitle(a); }},
        {"expect-text", [this](const Args& a) { expectText(a); }},
        {"print-text", [this](const Args& a) { out(textOf(a)); }},
        {"press", [this](const Args& a) { press(a); }},
        {"key", [this](const Args& a) { keys(a, false); }},
        {"post-key", [this](const Args& a) { keys(a, true); }},
        {"type", [this](const Args& a) { typeChars(a); }},
        {"mouse-move", [this](const Args& a) { mouseMove(a); }},
        {"click", [this](const Args& a) { click(a); }},
        {"send-message", [this](const Args& a) { sendMessage(a); }},
        {"steal-focus", [this](const Args& a) { stealFocus(a); }},
        {"wait-file", [this](const Args& a) { waitFile(a); }},
        {"capture-screen", [this](const Args& a) { capture(a, false); }},
        {"capture-window", [this](const Args& a) { capture(a, true); }},
        {"wait-exit", [this](const Args& a) { waitExit(a); }},
        {"expect-exit", [this](const Args& a) { expectExit(a); }},
        {"expect-running", [this](const Args& a) { expectRunning(a); }},
        {"kill", [this](const Args&) { killStarted("killed on request"); }},
        {"expect-cursor", [this](const Args& a) { expectCursor(a); }},
        {"watch-resources", [this](const Args& a) { watch(a); }},
        {"memory", [this](const Args& a) { memory(a); }},
        {"lock-file", [this](const Args& a) { lockFile(a); }},
        {"sleep", [this](const Args& a) { Sleep(static_cast<DWORD>(number(a, 0))); }},
        {"reg-expect", [this](const Args& a) { regExpect(a, false); }},
        {"reg-expect-missing", [this](const Args& a) { regExpect(a, true); }},
        {"reg-set", [this](const Args& a) { regSet(a, false); }},
        {"reg-set-dword", [this](const Args& a) { regSet(a, true); }},
        {"reg-delete", [this](const Args& a) { regDelete(a); }},
        {"reg-print", [this](const Args& a) { regPrint(a); }},
        {"reg-deny-write", [this](const Args& a) { regDeny(a, true); }},
        {"reg-allow-write", [this](const Args& a) { regDeny(a, false); }},
        {"select-row", [this](const Args& a) { selectRowCmd(a); }},
        {"expect-row", [this](const Args& a) { expectRowCmd(a); }},
        {"set-text", [this](const Args& a) { setTextCmd(a); }},
        {"set-check", [this](const Args& a) { setCheckCmd(a); }},
        {"click-in", [this](const Args& a) { clickInCmd(a); }},
        {"expect-enabled", [this](const Args& a) { expectEnabledCmd(a); }},
        {"echo", [](const Args& a) { out(a.positional.empty() ? "" : a.positional[0]); }},
    };
  }

  bool knows(const std::string& name) const { return table_.count(name) > 0; }

  // Runs one command; throws Failure.
  void run(const Command& c) {
    if (!quiet_) {
      std::string line = "> ";
      for (const auto& w : c.words) line += visible(w) + " ";
      out(line);
    }
    table_.at(c.words[0])(parseArgs(c.words));
  }

  // Ends the started process if it still runs; true when it had to.
  bool finish() {
    if (!started_) return false;
    if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
      killStarted("still running at the end");
      return true;
    }
    return false;
  }

  HANDLE process() const { return started_ ? pi_.hProcess : nullptr; }

 private:
  [[noreturn]] static void fail(const std::string& m) { throw Failure{m}; }

  static long number(const Args& a, size_t i) {
    if (a.positional.size() <= i) fail("missing number");
    char* end = nullptr;
    long v = strtol(a.positional[i].c_str(), &end, 0);
    if (*end) fail("not a number: " + a.positional[i]);
    return v;
  }
  static DWORD timeoutOf(const Args& a, DWORD def) {
    return a.has("--timeout") ? static_cast<DWORD>(strtoul(a.get("--timeout").c_str(), nullptr, 10))
                              : def;
  }
  const std::string& arg(const Args& a, size_t i, const char* what) {
    if (a.positional.size() <= i) fail(std::string("missing ") + what);
    return a.positional[i];
  }

  void start(const Args& a, bool raw) {
    if (started_ && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT)
      fail("a started process still runs");
    std::wstring exe = windowsPath(arg(a, 0, "program"));
    std::wstring cmd = L"\"" + exe + L"\"";
    if (raw) {
      if (a.positional.size() > 1) cmd += L" " + fromUtf8(a.positional[1]);
    } else {
      for (size_t i = 1; i < a.positional.size(); ++i) cmd += L" " + quoteArg(fromUtf8(a.positional[i]));
    }
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (started_) {
      CloseHandle(pi_.hProcess);
      CloseHandle(pi_.hThread);
    }
    started_ = false;
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi_))
      fail("cannot start " + toUtf8(exe) + " (error " + std::to_string(GetLastError()) + ")");
    started_ = true;
    current_ = nullptr;
    WaitForInputIdle(pi_.hProcess, 5000);
    out("started pid=" + std::to_string(pi_.dwProcessId));
  }

  WindowQuery query(const Args& a) {
    WindowQuery q;
    if (a.has("--class")) q.className = a.get("--class");
    if (a.has("--title")) q.title = a.get("--title");
    if (a.has("--title-contains")) q.titleContains = a.get("--title-contains");
    if (a.has("--id")) q.controlId = static_cast<int>(strtol(a.get("--id").c_str(), nullptr, 0));
    if (a.has("--hidden")) q.visibleOnly = false;
    if (a.has("--pid")) {
      std::string p = a.get("--pid");
      if (p == "started") {
        if (!started_) fail("--pid started: nothing was started");
        q.pid = pi_.dwProcessId;
      } else {
        q.pid = strtoul(p.c_str(), nullptr, 0);
      }
    }
    return q;
  }

  void waitWindow(const Args& a, bool wait) {
    WindowQuery q = query(a);
    const ULONGLONG until = GetTickCount64() + (wait ? timeoutOf(a, 10000) : 0);
    for (;;) {
      std::vector<HWND> found = findTopLevel(q);
      if (!found.empty()) {
        current_ = found.front();
        out("window " + describe(current_));
        return;
      }
      if (GetTickCount64() >= until) fail("no such window");
      Sleep(50);
    }
  }

  void waitGone(const Args& a) {
    WindowQuery q = query(a);
    const ULONGLONG until = GetTickCount64() + timeoutOf(a, 10000);
    while (!findTopLevel(q).empty()) {
      if (GetTickCount64() >= until) fail("the window is still there");
      Sleep(50);
    }
  }

  HWND needCurrent() {
    if (!current_ || !IsWindow(current_)) fail("no current window (it may have closed)");
    return current_;
  }

  void selectChild(const Args& a) {
    std::vector<HWND> found = findDescendants(needCurrent(), query(a));
    if (found.empty()) fail("no such child window");
    current_ = found.front();
    out("window " + describe(current_));
  }

  void listWindows(const Args& a) {
    for (HWND w : findTopLevel(query(a))) out("window " + describe(w));
  }

  void listChildren() {
    WindowQuery all;
    all.visibleOnly = false;
    for (HWND w : findDescendants(needCurrent(), all)) out("child " + describe(w));
  }

  void expectTitle(const Args& a) {
    const std::string& want = arg(a, 0, "text");
    std::string got = windowText(needCurrent());
    if (got != want) fail("title is \"" + visible(got) + "\", expected \"" + visible(want) + "\"");
  }

  std::string textOf(const Args& a) {
    HWND w = needCurrent();
    if (a.has("--id")) {
      HWND c = GetDlgItem(w, static_cast<int>(strtol(a.get("--id").c_str(), nullptr, 0)));
      if (!c) fail("no child with id " + a.get("--id"));
      return windowText(c);
    }
    std::optional<std::string> t = messageBoxText(w);
    if (!t) fail("the window has no message text");
    return *t;
  }

  void expectText(const Args& a) {
    const std::string& want = arg(a, 0, "text");
    std::string got = textOf(a);
    if (got != want) fail("text is \"" + visible(got) + "\", expected \"" + visible(want) + "\"");
  }

  void press(const Args& a) {
    HWND w = needCurrent();
    HWND b = a.has("--id") ? GetDlgItem(w, static_cast<int>(strtol(a.get("--id").c_str(), nullptr, 0)))
                           : findButton(w, arg(a, 0, "button caption"));
    if (!b) fail("no such button");
    if (!pressButton(b)) fail("cannot press the button");
  }

  void keys(const Args& a, bool posted) {
    if (a.positional.empty()) fail("missing key name");
    HWND w = posted ? needCurrent() : current_;
    if (!posted && w && IsWindow(w)) SetForegroundWindow(GetAncestor(w, GA_ROOT));
    for (const auto& name : a.positional) {
      std::optional<WORD> vk = keyCode(name);
      if (!vk) fail("unknown key " + name);
      if (!(posted ? postKey(w, *vk) : sendKey(*vk))) fail("cannot send key " + name);
    }
    lastKeyTick_ = GetTickCount64();
  }

  void typeChars(const Args& a) {
    if (current_ && IsWindow(current_)) SetForegroundWindow(GetAncestor(current_, GA_ROOT));
    if (!typeText(fromUtf8(arg(a, 0, "text")))) fail("cannot type");
  }

  void mouseMove(const Args& a) {
    if (a.has("--centre")) {
      RECT r{};
      GetWindowRect(needCurrent(), &r);
      if (!mouseMoveTo((r.left + r.right) / 2, (r.top + r.bottom) / 2)) fail("cannot move the mouse");
      return;
    }
    int x = static_cast<int>(number(a, 0)), y = static_cast<int>(number(a, 1));
    if (!(a.has("--by") ? mouseMoveBy(x, y) : mouseMoveTo(x, y))) fail("cannot move the mouse");
  }

  void click(const Args& a) {
    if (a.positional.size() >= 2 &&
        !mouseMoveTo(static_cast<int>(number(a, 0)), static_cast<int>(number(a, 1))))
      fail("cannot move the mouse");
    if (!mouseClick(a.has("--right"))) fail("cannot click");
  }

  void sendMessage(const Args& a) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(needCurrent(), static_cast<UINT>(number(a, 0)), static_cast<WPARAM>(number(a, 1)),
                             static_cast<LPARAM>(number(a, 2)), SMTO_ABORTIFHUNG, 5000, &result))
      fail("the window did not answer");
    out("result " + std::to_string(static_cast<long long>(result)));
  }

  // A real deactivation: the system tells the current window it lost the
  // foreground to the driver's own window. Posted messages (not the ones
  // the system sends on activation) are counted as broadcasts.
  void stealFocus(const Args& a) {
    HWND target = needCurrent();
    static const wchar_t kClass[] = L"VornDriverFocus";
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);
    HWND own = CreateWindowExW(0, kClass, L"driver focus", WS_POPUP | WS_VISIBLE, 0, 0, 64, 64, nullptr, nullptr,
                               wc.hInstance, nullptr);
    if (!own) fail("cannot create the driver's window");
    SetForegroundWindow(own);
    int broadcasts = 0;
    const DWORD until = GetTickCount() + (a.has("--for") ? strtoul(a.get("--for").c_str(), nullptr, 10) : 1000);
    while (static_cast<LONG>(until - GetTickCount()) > 0) {
      MSG m;
      while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        // A broadcast is counted, not handled: the default handling would
        // make the driver's window take the focus back.
        if (m.hwnd == own && m.message == WM_ACTIVATE && m.wParam == WA_ACTIVE &&
            reinterpret_cast<HWND>(m.lParam) == target)
          ++broadcasts;
        else
          DispatchMessageW(&m);
      }
      Sleep(10);
    }
    HWND fg = GetForegroundWindow();
    out(std::string("foreground: ") + (fg == target ? "current" : fg == own ? "driver" : "other"));
    out("activation broadcasts: " + std::to_string(broadcasts));
    DestroyWindow(own);
  }

  void waitFile(const Args& a) {
    std::wstring file = windowsPath(arg(a, 0, "file"));
    const DWORD until = GetTickCount() + timeoutOf(a, 20000);
    while (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
      if (static_cast<LONG>(until - GetTickCount()) <= 0) fail("no file " + toUtf8(file));
      Sleep(20);
    }
  }

  void capture(const Args& a, bool window) {
    std::wstring file = windowsPath(arg(a, 0, "file"));
    std::string error;
    bool ok = window ? captureWindow(needCurrent(), file, error) : captureScreen(file, error);
    if (!ok) fail("capture failed: " + error);
  }

  HANDLE needStarted() {
    if (!started_) fail("nothing was started");
    return pi_.hProcess;
  }

  DWORD waitForExit(const Args& a) {
    HANDLE p = needStarted();
    if (WaitForSingleObject(p, timeoutOf(a, 10000)) != WAIT_OBJECT_0)
      fail("the started process did not end in time");
    DWORD code = 0;
    GetExitCodeProcess(p, &code);
    return code;
  }

  void waitExit(const Args& a) {
    DWORD code = waitForExit(a);
    // Timed here, not by whoever reads our output: the console's way out of
    // Wine adds delays of its own.
    if (lastKeyTick_) out("key to exit: " + std::to_string(GetTickCount64() - lastKeyTick_) + " ms");
    out("exit code " + std::to_string(code));
  }

  void expectExit(const Args& a) {
    long want = number(a, 0);
    DWORD got = waitForExit(a);
    if (static_cast<long>(got) != want)
      fail("exit code " + std::to_string(got) + ", expected " + std::to_string(want));
  }

  void expectRunning(const Args& a) {
    DWORD ms = a.has("--for") ? static_cast<DWORD>(strtoul(a.get("--for").c_str(), nullptr, 10)) : 0;
    if (WaitForSingleObject(needStarted(), ms) != WAIT_TIMEOUT) fail("the started process has ended");
  }

  // The cursor as the system shows it: the foreground thread's show count
  // decides, so a saver's hidden cursor is seen from here.
  void expectCursor(const Args& a) {
    const std::string& want = arg(a, 0, "shown or hidden");
    CURSORINFO info{};
    info.cbSize = sizeof info;
    if (!GetCursorInfo(&info)) fail("GetCursorInfo failed");
    const std::string got = (info.flags & CURSOR_SHOWING) ? "shown" : "hidden";
    if (got != want) fail("the cursor is " + got + ", expected " + want);
  }

  void killStarted(const char* why) {
    HANDLE p = needStarted();
    if (WaitForSingleObject(p, 0) == WAIT_TIMEOUT) {
      TerminateProcess(p, 1);
      WaitForSingleObject(p, 5000);
      err(std::string("driver: ended the started process (") + why + ")");
    }
  }

  HKEY root(const Args& a) {
    std::optional<HKEY> r = parseRoot(arg(a, 0, "root"));
    if (!r) fail("unknown root " + a.positional[0]);
    return *r;
  }

  void regExpect(const Args& a, bool missing) {
    HKEY r = root(a);
    std::wstring key = fromUtf8(arg(a, 1, "key")), name = fromUtf8(arg(a, 2, "value name"));
    std::optional<std::wstring> got = readValueText(r, key, name);
    if (missing) {
      if (got) fail("value is present: \"" + visible(toUtf8(*got)) + "\"");
      return;
    }
    const std::string& want = arg(a, 3, "expected data");
    if (!got) fail("value is missing");
    if (toUtf8(*got) != want)
      fail("value is \"" + visible(toUtf8(*got)) + "\", expected \"" + visible(want) + "\"");
  }

  void regPrint(const Args& a) {
    HKEY r = root(a);
    std::optional<std::wstring> got =
        readValueText(r, fromUtf8(arg(a, 1, "key")), fromUtf8(arg(a, 2, "value name")));
    if (!got) fail("value is missing");
    out("value " + toUtf8(*got));
  }

  void regSet(const Args& a, bool dword) {
    HKEY r = root(a);
    std::wstring key = fromUtf8(arg(a, 1, "key")), name = fromUtf8(arg(a, 2, "value name"));
    bool ok = dword ? writeDword(r, key, name, static_cast<DWORD>(number(a, 3)))
                    : writeString(r, key, name, fromUtf8(arg(a, 3, "data")));
    if (!ok) fail("cannot write the value");
  }

  void regDelete(const Args& a) {
    HKEY r = root(a);
    if (!deleteValue(r, fromUtf8(arg(a, 1, "key")), fromUtf8(arg(a, 2, "value name"))))
      fail("cannot delete the value");
  }

  void regDeny(const Args& a, bool deny) {
    HKEY r = root(a);
    std::string error;
    if (!setWriteDenied(r, fromUtf8(arg(a, 1, "key")), deny, error)) fail(error);
  }

  // The leak watch of the soak tests (resource_watch.h).
  void watch(const Args& a) {
    WatchLimits lim;
    auto ms = [&](const char* o, DWORD def) { return a.has(o) ? DWORD(strtoul(a.get(o).c_str(), nullptr, 10)) : def; };
    lim.everyMs = std::max<DWORD>(ms("--every", lim.everyMs), 1);
    lim.forMs = ms("--for", lim.forMs);
    lim.settleMs = ms("--settle", lim.settleMs);
    lim.window = ms("--window", DWORD(lim.window));
    lim.privateSlack = uint64_t(ms("--private-slack-kib", DWORD(lim.privateSlack / 1024))) * 1024;
    lim.handleSlack = ms("--handle-slack", lim.handleSlack);
    lim.gdiSlack = ms("--gdi-slack", lim.gdiSlack);
    lim.userSlack = ms("--user-slack", lim.userSlack);
    lim.windowSlack = ms("--window-slack", lim.windowSlack);
    std::vector<ResourceSample> samples;
    std::string error;
    if (!watchResources(needStarted(), pi_.dwProcessId, lim, samples, error, [](const std::string& l) { out(l); }))
      fail(error);
  }

  void memory(const Args& a) {
    ResourceSample s;
    std::string error;
    if (!sampleResources(needStarted(), pi_.dwProcessId, s, error)) fail(error);
    out("memory: working set " + std::to_string(s.workingSet / 1024) + " KiB, peak " +
        std::to_string(s.peakWorkingSet / 1024) + " KiB");
    if (a.has("--peak-max-kib") && s.peakWorkingSet / 1024 > strtoull(a.get("--peak-max-kib").c_str(), nullptr, 10))
      fail("peak working set above " + a.get("--peak-max-kib") + " KiB");
  }

  // The handle stays open (and the file locked) until the driver ends.
  void lockFile(const Args& a) {
    std::wstring file = windowsPath(arg(a, 0, "file"));
    HANDLE h = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) fail("cannot open " + toUtf8(file) + " (error " + std::to_string(GetLastError()) + ")");
  }

  // Controls by id among all descendants of the current window.
  HWND controlById(const Args& a) {
    if (!a.has("--id")) fail("missing --id");
    HWND c = findControl(needCurrent(), static_cast<int>(strtol(a.get("--id").c_str(), nullptr, 0)));
    if (!c) fail("no descendant with id " + a.get("--id"));
    return c;
  }

  void selectRowCmd(const Args& a) {
    HWND c = controlById(a);
    std::string error;
    if (!selectRow(c, static_cast<int>(number(a, 0)), error)) fail(error);
  }

  void expectRowCmd(const Args& a) {
    HWND c = controlById(a);
    std::string error;
    std::optional<int> row = selectedRow(c, error);
    if (!row) fail(error);
    if (*row != number(a, 0))
      fail("row " + std::to_string(*row) + " is selected, expected " + a.positional[0]);
  }

  void setTextCmd(const Args& a) {
    HWND c = controlById(a);
    std::string error;
    if (!driver::setText(c, fromUtf8(arg(a, 0, "text")), error)) fail(error);
  }

  void setCheckCmd(const Args& a) {
    HWND c = controlById(a);
    std::string error;
    if (!setChecked(c, number(a, 0) != 0, error)) fail(error);
  }

  void clickInCmd(const Args& a) {
    HWND c = controlById(a);
    POINT p = clientToScreen(c, static_cast<int>(number(a, 0)), static_cast<int>(number(a, 1)));
    if (!mouseMoveTo(p.x, p.y) || !mouseClick(false)) fail("cannot click");
  }

  void expectEnabledCmd(const Args& a) {
    const bool want = number(a, 0) != 0;
    if ((IsWindowEnabled(controlById(a)) != 0) != want)
      fail(std::string("the control is ") + (want ? "disabled" : "enabled"));
  }

  bool quiet_;
  std::map<std::string, std::function<void(const Args&)>> table_;
  PROCESS_INFORMATION pi_{};
  bool started_ = false;
  ULONGLONG lastKeyTick_ = 0;  // when the last key went out (0: none yet)
  HWND current_ = nullptr;
};

Driver* g_driver = nullptr;
DWORD g_limit = 120000;

DWORD WINAPI watchdog(void*) {
  Sleep(g_limit);
  err("driver: overall time limit of " + std::to_string(g_limit) + " ms ran out");
  if (g_driver && g_driver->process()) TerminateProcess(g_driver->process(), 1);
  ExitProcess(3);
}

bool loadScript(const std::wstring& file, const std::string& shown, std::vector<Command>& cmds) {
  std::ifstream in(file.c_str(), std::ios::binary);
  if (!in) {
    err("driver: cannot read " + shown);
    return false;
  }
  std::string line;
  int n = 0;
  while (std::getline(in, line)) {
    ++n;
    Command c{shown + ":" + std::to_string(n), {}};
    std::string error;
    if (!splitLine(line, c.words, error)) {
      err("driver: " + c.source + ": " + error);
      return false;
    }
    if (!c.words.empty()) cmds.push_back(std::move(c));
  }
  return true;
}

}  // namespace
}  // namespace driver

int main() {
  using namespace driver;
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<Command> cmds;
  bool quiet = false;
  for (int i = 1; i < argc; ++i) {
    std::string a = toUtf8(argv[i]);
    bool hasValue = i + 1 < argc;
    if (a == "--quiet") {
      quiet = true;
    } else if (a == "--timeout" && hasValue) {
      g_limit = static_cast<DWORD>(wcstoul(argv[++i], nullptr, 10));
    } else if (a == "-f" && hasValue) {
      std::string shown = toUtf8(argv[++i]);
      if (!loadScript(windowsPath(shown), shown, cmds)) return 2;
    } else if (a == "-c" && hasValue) {
      Command c{"-c #" + std::to_string(i), {}};
      std::string error;
      if (!splitLine(toUtf8(argv[++i]), c.words, error)) {
        err("driver: " + c.source + ": " + error);
        return 2;
      }
      if (!c.words.empty()) cmds.push_back(std::move(c));
    } else if (a == "--help" || a == "-h") {
      out(kUsage);
      return 0;
    } else {
      err(std::string("driver: unknown argument ") + a + "\n" + kUsage);
      return 2;
    }
  }
  LocalFree(argv);
  Driver d(quiet);
  for (const auto& c : cmds) {
    if (!d.knows(c.words[0])) {
      err("driver: " + c.source + ": unknown command " + c.words[0]);
      return 2;
    }
  }
  g_driver = &d;
  CloseHandle(CreateThread(nullptr, 0, watchdog, nullptr, 0, nullptr));
  int rc = 0;
  for (const auto& c : cmds) {
    try {
      d.run(c);
    } catch (const Failure& f) {
      err("FAIL " + c.source + ": " + c.words[0] + ": " + f.message);
      rc = 1;
      break;
    }
  }
  d.finish();
  return rc;
}
