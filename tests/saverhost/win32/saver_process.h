#pragma once
// Starts Vorn.scr with a command line and looks at its windows, pumping this
// thread's messages while it waits: the saver sends messages to windows the
// test owns (disabling them, adopting a preview parent) and would block on a
// thread that does not answer.
#include <windows.h>

#include <functional>
#include <string>

namespace vorn::wine {

// A build path as Wine sees it (the root of the Unix file system is Z:).
std::wstring WindowsPath(const std::string& unixPath);

void PumpFor(DWORD ms);
// Pumps until `done` holds or `ms` pass; true when it held.
bool PumpUntil(const std::function<bool()>& done, DWORD ms);

class SaverProcess {
 public:
  explicit SaverProcess(const std::wstring& arguments);
  ~SaverProcess();  // ends the process if it still runs
  bool Started() const { return pi_.hProcess != nullptr; }
  bool Exited() const;
  bool WaitExit(DWORD ms);
  DWORD Pid() const { return pi_.dwProcessId; }
  // The visible top-level TForm1 of this process, or nullptr.
  HWND VisibleForm() const;
  // Any top-level TForm1 of this process, visible or not.
  HWND AnyForm() const;
  HWND WaitForm(DWORD ms) const;

 private:
  PROCESS_INFORMATION pi_{};
};

// A top-level window of this thread with a title, for the saver to find.
HWND MakeTestWindow(const wchar_t* title, int w, int h, HWND parent = nullptr, DWORD style = 0);

}  // namespace vorn::wine
