#pragma once
// TScreenSaver turns the form that owns it into a screen saver: after the
// form's layout is in place it reads the mode letter of the command line and
// sets the form and the system up as full-screen saver, configuration box,
// preview inside another window, or password change. The destructor undoes
// what it changed in the system.
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "saverhost/host_ports.h"

namespace vorn::saverhost {

class TScreenSaver;

enum class TConfigBoxStyle { cbsMessageDlg = 0, cbsPanel = 1 };

using TOnPreviewEvent = std::function<void(TScreenSaver& Sender)>;
using TOnMainSaverEvent = std::function<void(TScreenSaver& Sender)>;
using TOnConfigBoxEvent = std::function<void(TScreenSaver& Sender)>;
using TOnPasswordSetEvent = std::function<void(TScreenSaver& Sender)>;
using TOnBeforePreviewEvent = std::function<void(TScreenSaver& Sender)>;
using TOnBeforeMainSaverEvent = std::function<void(TScreenSaver& Sender)>;
using TOnBeforeConfigBoxEvent = std::function<void(TScreenSaver& Sender)>;
using TOnBeforePasswordSetEvent = std::function<void(TScreenSaver& Sender)>;

// Raised only when the host is placed in a form designer.
class TFormNotOwner : public std::runtime_error {
 public:
  TFormNotOwner()
      : std::runtime_error(
            "The TScreenSaver Component does not appear to be on a TForm. What are you trying to "
            "do?") {}
};
class TDuplicateComponent : public std::runtime_error {
 public:
  TDuplicateComponent()
      : std::runtime_error("Why would you want more than 1 TScreenSaver component on a Form?") {}
};

// The one-line banner of the message-style configuration box.
inline constexpr const char* kDefaultConfigurationBoxMessage =
    "This screen saver has no options that you can set.";

class TScreenSaver {
 public:
  // `designing` is the form designer's state; at run time it is false and
  // neither placement check is made.
  TScreenSaver(HostForm* owner, HostSystem& system, bool designing = false);
  ~TScreenSaver();
  TScreenSaver(const TScreenSaver&) = delete;
  TScreenSaver& operator=(const TScreenSaver&) = delete;

  // Called by the form once its stored layout is in place.
  void Loaded();

  void ExecuteByCommandLine();
  void ActivatePreview();
  void ActivateMainSaver();
  void ActivateConfigBox();
  void ActivatePasswordSet();
  void HookWindowProc();
  void UnhookWindowProc();
  intptr_t HostWindowProc(uint32_t msg, uintptr_t wParam, intptr_t lParam);

  bool VerifyPassword();
  void HostCloseQuery(void* Sender, bool& CanClose);

  // The upper-cased second character of argument 1, or 0 when there is none.
  char ModeLetter();

  // Hides the application's own window (the top-level window titled like
  // the application) and makes it a topmost tool window, extended style
  // exactly 0x88, so that it leaves no task-bar button. The modes and the
  // show's collection loader all hide it through here.
  void HideApplicationWindow();

  // Published properties, with their defaults.
  bool AutoEnable = true;
  bool AutoMaximize = true;
  bool AutoBorderLess = true;
  bool AutoOnTop = true;
  bool AutoStayActive = true;
  bool AutoMouseHide = true;
  bool AutoPanelHide = true;
  bool PreviewWindow = true;
  bool MainScreenSaver = true;
  bool ConfigurationBox = true;
  TConfigBoxStyle ConfigurationBoxStyle = TConfigBoxStyle::cbsMessageDlg;
  HostPanel* ConfigurationBoxPanel = nullptr;
  std::string ConfigurationBoxMessage = kDefaultConfigurationBoxMessage;
  bool SystemKeysDisabled = true;
  bool PasswordSetting = true;
  bool PasswordChecking = true;
  TOnPreviewEvent OnPreviewActive;
  TOnMainSaverEvent OnMainSaverActive;
  TOnConfigBoxEvent OnConfigBoxActive;
  TOnPasswordSetEvent OnPasswordSet;
  TOnBeforePreviewEvent OnBeforePreviewActive;
  TOnBeforeMainSaverEvent OnBeforeMainSaverActive;
  TOnBeforeConfigBoxEvent OnBeforeConfigBoxActive;
  TOnBeforePasswordSetEvent OnBeforePasswordSet;

  bool Hooked() const { return OldWindowProc != 0; }

 private:
  std::string LibraryPath(const std::string& fileName);
  void ShowConfigDisplayProperties(bool enable, bool foreground);

  HostForm* HostForm_;
  HostSystem& System;
  bool Designing;
  TCloseQueryEvent SavedCloseQuery;
  WindowProcAddress OldWindowProc = 0;
  WindowProcAddress Thunk = 0;
  // Cursor shows left standing by consenting password checks inside the
  // close query under way; undone when the close is refused after all.
  int32_t CursorShownByCheck = 0;
};

}  // namespace vorn::saverhost
