#pragma once
// Test doubles of the host's form and system: every call is written to one
// shared log ("SetWindowLong 77 -20 136"), so tests can check what happened
// and in which order; answers come from plain fields the test sets.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "saverhost/host_ports.h"

namespace vorn::fake {

using saverhost::HostComponent;
using saverhost::HostPanel;
using saverhost::LibraryHandle;
using saverhost::RegistryKey;
using saverhost::TCloseQueryEvent;
using saverhost::TFormBorderStyle;
using saverhost::TPosition;
using saverhost::TWindowState;
using saverhost::WindowHandle;
using saverhost::WindowProcAddress;

using CallLog = std::vector<std::string>;

class FakePanel final : public HostPanel {
 public:
  FakePanel(CallLog& log, std::string name, int32_t w, int32_t h)
      : width(w), height(h), log_(log), name_(std::move(name)) {}
  const std::string& Name() const override { return name_; }
  int32_t Width() const override { return width; }
  int32_t Height() const override { return height; }
  void Show() override { visible = true; log_.push_back("Show " + name_); }
  void Hide() override { visible = false; log_.push_back("Hide " + name_); }
  void SetLeftTop(int32_t l, int32_t t) override {
    left = l, top = t;
    log_.push_back("SetLeftTop " + name_ + " " + std::to_string(l) + " " + std::to_string(t));
  }
  void BringToFront() override { log_.push_back("BringToFront " + name_); }

  int32_t width, height, left = 10, top = 10;
  bool visible = true;

 private:
  CallLog& log_;
  std::string name_;
};

class FakeHostForm final : public saverhost::HostForm {
 public:
  explicit FakeHostForm(CallLog& log) : log_(log) {}
  WindowHandle Handle() override {
    log_.push_back("Handle");
    return handle;
  }
  int32_t Width() const override { return width; }
  int32_t Height() const override { return height; }
  void SetWidth(int32_t v) override { width = v, note("SetWidth", v); }
  void SetHeight(int32_t v) override { height = v, note("SetHeight", v); }
  void SetLeft(int32_t v) override { left = v, note("SetLeft", v); }
  void SetTop(int32_t v) override { top = v, note("SetTop", v); }
  void SetClientWidth(int32_t v) override { clientWidth = v, note("SetClientWidth", v); }
  void SetClientHeight(int32_t v) override { clientHeight = v, note("SetClientHeight", v); }
  TWindowState WindowState() const override { return windowState; }
  void SetWindowState(TWindowState s) override { windowState = s, note("SetWindowState", int(s)); }
  void SetBorderStyle(TFormBorderStyle b) override { borderStyle = b, note("SetBorderStyle", int(b)); }
  void SetStayOnTop() override { stayOnTop = true, log_.push_back("SetStayOnTop"); }
  void SetPosition(TPosition p) override { position = p, note("SetPosition", int(p)); }
  void ScaleBy(int32_t m, int32_t d) override {
    log_.push_back("ScaleBy " + std::to_string(m) + " " + std::to_string(d));
  }
  std::vector<HostComponent> Components() override { return components; }
  const TCloseQueryEvent& OnCloseQuery() const override { return closeQuery; }
  void SetOnCloseQuery(TCloseQueryEvent e) override { closeQuery = std::move(e); }
  std::string ApplicationTitle() const override { return applicationTitle; }
  WindowHandle ApplicationHandle() override { return applicationHandle; }
  void Terminate() override { terminated = true, log_.push_back("Terminate"); }
  void ShowMessage(const std::string& text) override { log_.push_back("ShowMessage " + text); }
  int32_t ScreenWidth() const override { return screenWidth; }
  int32_t ScreenHeight() const override { return screenHeight; }

  // Runs the close query as the form would when asked to close.
  bool CloseQuery() {
    bool canClose = true;
    if (closeQuery) closeQuery(this, canClose);
    return canClose;
  }

  WindowHandle handle = 77;
  WindowHandle applicationHandle = 55;
  std::string applicationTitle = "Vorn";
  int32_t width = 640, height = 480, left = 0, top = 0, clientWidth = 0, clientHeight = 0;
  int32_t screenWidth = 1024, screenHeight = 768;
  TWindowState windowState = TWindowState::wsNormal;
  TFormBorderStyle borderStyle = TFormBorderStyle::bsSizeable;
  TPosition position = TPosition::poDesigned;
  bool stayOnTop = false;
  bool terminated = false;
  std::vector<HostComponent> components;
  TCloseQueryEvent closeQuery;

 private:
  void note(const char* what, int64_t v) { log_.push_back(std::string(what) + " " + std::to_string(v)); }
  CallLog& log_;
};

class FakeHostSystem final : public saverhost::HostSystem {
 public:
  explicit FakeHostSystem(CallLog& log) : log_(log) {}
  std::string ParamStr(int i) override { return i < int(args.size()) ? args[i] : std::string(); }
  WindowHandle FindWindowByTitle(const std::string& title) override {
    log_.push_back("FindWindow " + title);
    auto it = windowsByTitle.find(title);
    return it == windowsByTitle.end() ? 0 : it->second;
  }
  void ShowWindow(WindowHandle h, int32_t cmd) override { note("ShowWindow", h, cmd); }
  int32_t GetWindowLongA(WindowHandle h, int32_t index) override {
    return int32_t(GetWindowLongPointer(h, index));
  }
  intptr_t GetWindowLongPointer(WindowHandle h, int32_t index) override {
    auto it = windowLongs.find({h, index});
    return it == windowLongs.end() ? 0 : it->second;
  }
  void SetWindowLongPointer(WindowHandle h, int32_t index, intptr_t value) override {
    windowLongs[{h, index}] = value;
    log_.push_back("SetWindowLongPtr " + std::to_string(h) + " " + std::to_string(index) + " " +
                   std::to_string(uintptr_t(value)));
  }
  void SetWindowLongA(WindowHandle h, int32_t index, int32_t value) override {
    windowLongs[{h, index}] = value;
    log_.push_back("SetWindowLong " + std::to_string(h) + " " + std::to_string(index) + " " +
                   std::to_string(uint32_t(value)));
  }
  void SetParent(WindowHandle c, WindowHandle p) override { note("SetParent", c, p); }
  bool IsWindow(WindowHandle h) override { return existing.count(h) != 0; }
  void EnableWindow(WindowHandle h, bool e) override { note("EnableWindow", h, e); }
  void SetForegroundWindow(WindowHandle h) override { note("SetForegroundWindow", h); }
  WindowHandle GetForegroundWindow() override { return foreground; }
  void PostMessageA(WindowHandle h, uint32_t m, uintptr_t wp, intptr_t lp) override {
    log_.push_back("PostMessage " + std::to_string(h) + " " + std::to_string(m) + " " + std::to_string(wp) +
                   " " + std::to_string(lp));
  }
  intptr_t CallWindowProcA(WindowProcAddress proc, WindowHandle h, uint32_t m, uintptr_t wp,
                          intptr_t lp) override {
    log_.push_back("CallWindowProc " + std::to_string(proc) + " " + std::to_string(h) + " " +
                   std::to_string(m) + " " + std::to_string(wp));
    return oldProcResult;
  }
  WindowProcAddress MakeWndProcThunk(saverhost::HostWndProc proc) override {
    thunk = std::move(proc);
    log_.push_back("MakeWndProcThunk");
    return kThunkAddress;
  }
  void FreeWndProcThunk(WindowProcAddress a) override {
    thunk = nullptr;
    note("FreeWndProcThunk", a);
  }
  void SystemParametersInfoA(uint32_t action, uint32_t param, bool* previous, uint32_t winIni) override {
    if (previous) *previous = screenSaverRunning;
    if (action == saverhost::SPI_SCREENSAVERRUNNING_) screenSaverRunning = param != 0;
    log_.push_back("SystemParametersInfo " + std::to_string(action) + " " + std::to_string(param) + " " +
                   std::to_string(winIni));
  }
  int32_t ShowCursor(bool show) override {
    cursorCount += show ? 1 : -1;
    log_.push_back(show ? "ShowCursor 1" : "ShowCursor 0");
    return cursorCount;
  }
  void Sleep(uint32_t ms) override { note("Sleep", ms); }
  std::string GetSystemDirectoryA() override { return systemDirectory; }
  LibraryHandle LoadLibraryA(const std::string& path) override {
    log_.push_back("LoadLibrary " + path);
    auto it = libraries.find(path);
    if (it == libraries.end()) return 0;
    ++loaded;
    return it->second;
  }
  uintptr_t GetProcAddress(LibraryHandle lib, const std::string& name) override {
    log_.push_back("GetProcAddress " + name);
    auto it = entries.find({lib, name});
    return it == entries.end() ? 0 : it->second;
  }
  void FreeLibrary(LibraryHandle lib) override {
    --loaded;
    note("FreeLibrary", lib);
  }
  int32_t CallVerifyScreenSavePwd(uintptr_t entry, WindowHandle window) override {
    note("VerifyScreenSavePwd", window);
    if (verifyAnswers.empty()) return 1;
    int32_t answer = verifyAnswers.front();
    verifyAnswers.erase(verifyAnswers.begin());
    return answer;
  }
  void CallPwdChangePassword(uintptr_t entry, const std::string& name, WindowHandle parent, uint32_t r1,
                             uint32_t r2) override {
    log_.push_back("PwdChangePasswordA " + name + " " + std::to_string(parent) + " " + std::to_string(r1) +
                   " " + std::to_string(r2));
  }
  bool RegOpenCurrentUserKey(const std::string& path, uint32_t access, RegistryKey* key) override {
    log_.push_back("RegOpenKey " + path + " " + std::to_string(access));
    if (!desktopKeyOpens || path != "Control Panel\\Desktop") return false;
    ++openKeys;
    *key = 900;
    return true;
  }
  bool RegValueExists(RegistryKey, const std::string& name) override {
    return name == "ScreenSaveUsePassword" && usePassword.has_value();
  }
  bool RegReadInteger(RegistryKey, const std::string& name, int32_t* value) override {
    if (!usePasswordIsInteger || !usePassword) return false;
    *value = *usePassword;
    return true;
  }
  void RegCloseKey(RegistryKey k) override {
    --openKeys;
    note("RegCloseKey", k);
  }

  static constexpr WindowProcAddress kThunkAddress = 4242;
  std::vector<std::string> args{"C:\\VORN.SCR"};
  std::map<std::string, WindowHandle> windowsByTitle;
  std::map<std::pair<WindowHandle, int32_t>, intptr_t> windowLongs;
  std::map<WindowHandle, bool> existing;
  WindowHandle foreground = 0;
  intptr_t oldProcResult = 1234;
  saverhost::HostWndProc thunk;
  bool screenSaverRunning = false;
  int32_t cursorCount = 0;
  std::string systemDirectory = "C:\\WINDOWS\\SYSTEM";
  std::map<std::string, LibraryHandle> libraries;
  std::map<std::pair<LibraryHandle, std::string>, uintptr_t> entries;
  int loaded = 0;
  std::vector<int32_t> verifyAnswers;
  bool desktopKeyOpens = true;
  std::optional<int32_t> usePassword;
  bool usePasswordIsInteger = true;
  int openKeys = 0;

 private:
  void note(const char* what, uint64_t a, int64_t b) {
    log_.push_back(std::string(what) + " " + std::to_string(a) + " " + std::to_string(b));
  }
  void note(const char* what, uint64_t a) { log_.push_back(std::string(what) + " " + std::to_string(a)); }
  CallLog& log_;
};

}  // namespace vorn::fake
