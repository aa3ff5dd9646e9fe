#pragma once
// The main form TForm1: the one window of the program. Its stored layout
// (components, names, colours, bound handlers) is built in code by the
// constructor; the host ScreenSaver1 then picks the mode while the form is
// being created, as its last step. The form serves as the full-screen show,
// the configuration box (Panel2) and the preview.
//
// Handlers follow the component-event naming of the program. Each unit that
// fills a handler owns the file that defines it:
//   form_show_session.cpp  SS1BeforeMainSaverActive, FormShow, FormKeyDown,
//                          FormMouseMove, TransitionPlayer1Click, FormClose
//   form_config_box.cpp    SS1BeforeConfigBoxActive, the buttons of Panel2
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "saverhost/host_ports.h"
#include "saverhost/screen_saver.h"
#include "show/show_session.h"

// Creates the main form TForm1, runs the message loop until it closes and
// gives the process exit code.
int RunMainForm(HINSTANCE instance);

namespace vorn::app {

using saverhost::TScreenSaver;

class TForm1;

// Everything the show holds (form_show_session.cpp): made when the show or
// the preview starts, released with the form.
struct ShowRuntime;
struct ShowRuntimeDelete {
  void operator()(ShowRuntime* runtime) const;
};

// A panel of the form: a plain child window with a component name. Mouse
// input on it goes to the handlers bound below (the form's, for MovieBox).
class TPanel final : public saverhost::HostPanel {
 public:
  TPanel(TForm1& form, std::string name, HWND parent, int x, int y, int w, int h, bool visible);
  ~TPanel() override;
  const std::string& Name() const override { return name_; }
  int32_t Width() const override;
  int32_t Height() const override;
  void Show() override;
  void Hide() override;
  void SetLeftTop(int32_t left, int32_t top) override;
  void BringToFront() override;
  HWND Handle() const { return hwnd_; }
  void SetBounds(int x, int y, int w, int h);
  bool Visible() const;

  // Background; CLR_INVALID takes the parent form's colour.
  COLORREF Color = CLR_INVALID;
  std::function<void()> OnMouseMove;
  std::function<void()> OnClick;

  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);

 private:
  TForm1& form_;
  std::string name_;
  HWND hwnd_ = nullptr;
};

class TForm1 final : public saverhost::HostForm {
 public:
  TForm1(HINSTANCE instance, saverhost::HostSystem& system);
  ~TForm1() override;

  // --- the stored layout ---
  std::unique_ptr<TScreenSaver> ScreenSaver1;
  std::unique_ptr<TPanel> Panel2;    // the configuration box, stored hidden
  std::unique_ptr<TPanel> MovieBox;  // movies play into it
  HWND Button1 = nullptr;            // "OK" in Panel2
  HWND Button2 = nullptr;            // "Mégsem" in Panel2, the cancel button
  COLORREF Color = RGB(0, 0, 0);
  bool KeyPreview = true;

  // --- the show ---
  show::ShowState State;
  std::unique_ptr<ShowRuntime, ShowRuntimeDelete> Runtime;

  // --- handlers bound in the stored layout ---
  void ScreenSaver1BeforePreviewActive(TScreenSaver& Sender);
  void SS1BeforeMainSaverActive(TScreenSaver& Sender);
  void SS1BeforeConfigBoxActive(TScreenSaver& Sender);
  void FormCloseQuery(void* Sender, bool& CanClose);
  void FormShow();
  void FormKeyDown(WPARAM key);
  void FormMouseMove();
  void TransitionPlayer1Click();
  void FormClose();
  void Button1Click();
  void Button2Click();

  // --- what other units wire in ---
  // WM_COMMAND from any control of the form or its panels, by control id.
  std::map<int, std::function<void()>> CommandHandlers;
  // Components that other units add (listed to the host with the built-in ones).
  std::vector<saverhost::HostComponent> ExtraComponents;
  // Runs first for every message of the form; true when it handled it.
  std::function<bool(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)> MessageHook;

  // Asks the close query and, when it consents, ends the program.
  void Close();
  // Shows the form the way the application does with its main form.
  void ShowMainForm();
  bool Terminated() const { return terminated_; }
  // The form previews every key pressed on it or its controls, also while a
  // step of the show dispatches messages; true when it previewed this one.
  bool PreviewKey(const MSG& m);
  // After the show's close: its parts and the window are left to the end of
  // the process instead of being taken down with the form (see RunMainForm).
  void LeaveShowToProcessEnd();
  HINSTANCE Instance() const { return instance_; }
  HWND Hwnd() const { return hwnd_; }
  // The cover windows over the other monitors take this colour too.
  void SetCoverColor(COLORREF color);
  const std::vector<HWND>& CoverWindows() const { return covers_; }

  // --- HostForm ---
  saverhost::WindowHandle Handle() override { return saverhost::WindowHandle(hwnd_); }
  int32_t Width() const override;
  int32_t Height() const override;
  void SetWidth(int32_t) override;
  void SetHeight(int32_t) override;
  void SetLeft(int32_t) override;
  void SetTop(int32_t) override;
  void SetClientWidth(int32_t) override;
  void SetClientHeight(int32_t) override;
  saverhost::TWindowState WindowState() const override { return windowState_; }
  void SetWindowState(saverhost::TWindowState) override;
  void SetBorderStyle(saverhost::TFormBorderStyle) override;
  void SetStayOnTop() override;
  void SetPosition(saverhost::TPosition p) override { position_ = p; }
  void ScaleBy(int32_t m, int32_t d) override;
  std::vector<saverhost::HostComponent> Components() override;
  const saverhost::TCloseQueryEvent& OnCloseQuery() const override { return onCloseQuery_; }
  void SetOnCloseQuery(saverhost::TCloseQueryEvent e) override { onCloseQuery_ = std::move(e); }
  std::string ApplicationTitle() const override { return applicationTitle_; }
  saverhost::WindowHandle ApplicationHandle() override { return saverhost::WindowHandle(appWindow_); }
  void Terminate() override;
  void ShowMessage(const std::string& text) override;
  int32_t ScreenWidth() const override;
  int32_t ScreenHeight() const override;

  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
  // Routes input on the panels and cover windows to the form's handlers.
  void PanelMouseMove() { FormMouseMove(); }

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK AppProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK CoverProc(HWND, UINT, WPARAM, LPARAM);
  static BOOL CALLBACK CoverMonitor(HMONITOR, HDC, LPRECT, LPARAM);
  void CreateLayout();
  void CreateCovers();
  void DestroyCovers();
  void PlaceWindow(int x, int y, int w, int h, UINT flags);
  RECT WindowRect() const;

  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  HWND appWindow_ = nullptr;
  std::string applicationTitle_;
  saverhost::TWindowState windowState_ = saverhost::TWindowState::wsNormal;
  saverhost::TFormBorderStyle borderStyle_ = saverhost::TFormBorderStyle::bsSizeable;
  saverhost::TPosition position_ = saverhost::TPosition::poDesigned;
  saverhost::TCloseQueryEvent onCloseQuery_;
  bool terminated_ = false;
  bool shown_ = false;
  bool closing_ = false;
  bool querying_ = false;
  std::vector<HWND> covers_;
  HBRUSH coverBrush_ = nullptr;
};

}  // namespace vorn::app
