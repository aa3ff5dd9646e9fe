// The configuration box's handlers: the collection is loaded into Panel2's
// model, the panel shows it, and "OK" writes the settings back.
#include <memory>

#include "app/main_form.h"
#include "collection/collection_state.h"
#include "collection/win32/win32_collection_host.h"
#include "config/win32/panel2_window.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_message_boxes.h"
#include "saverhost/win32/process_command_line.h"
#include "show/win32/mci_player.h"
#include "text/cp1250.h"

namespace vorn::app {
namespace {

// Everything the box holds, released with the form.
struct ConfigRuntime {
  Win32FileSystem fs;
  win32::Win32MessageBoxes boxes;
  TCollectionState state{fs, boxes};
  Win32CollectionHost host;
  std::unique_ptr<show::win32::MciMediaPlayer> mediaPrev;
  std::unique_ptr<config::win32::Panel2> panel;

  ConfigRuntime(TForm1& f)
      : boxes(reinterpret_cast<uintptr_t>(f.Hwnd())), host([&f] { f.ScreenSaver1->HideApplicationWindow(); }) {}
  ~ConfigRuntime() {
    if (mediaPrev) (void)mediaPrev->close();
    state.Release();
  }
};

std::unique_ptr<ConfigRuntime> g_config;

}  // namespace

void TForm1::SS1BeforeConfigBoxActive(TScreenSaver&) {
  show::ShowSession::SS1BeforeConfigBoxActive(State);
  g_config = std::make_unique<ConfigRuntime>(*this);
  ConfigRuntime& rt = *g_config;
  config::win32::Panel2Services svc;
  svc.state = &rt.state;
  svc.fs = &rt.fs;
  svc.boxes = &rt.boxes;
  svc.exePath = saverhost::ProcessCommandLine().ParamStr(0);
  svc.closeForm = [this] { Close(); };
  svc.saverActive = &State.SaverActive;
  // The stand-in buttons of the stored layout give way to the panel's own.
  if (Button1) DestroyWindow(Button1);
  if (Button2) DestroyWindow(Button2);
  Button1 = Button2 = nullptr;
  rt.panel = std::make_unique<config::win32::Panel2>(Panel2->Handle(), svc);
  rt.mediaPrev = std::make_unique<show::win32::MciMediaPlayer>(rt.panel->tabControl1(), Hwnd());
  rt.panel->setMediaPrev(rt.mediaPrev.get());
  Panel2->SetBounds(0, 0, rt.panel->width(), rt.panel->height());
  ShowWindow(rt.panel->hwnd(), SW_SHOW);
  const bool testRun = saverhost::IsTestRun(saverhost::ProcessCommandLine().ParamStr(2));
  config::LoadIntoPanel(rt.state, rt.host, testRun, rt.panel->model());
  rt.panel->SS1BeforeConfigBoxActive();
  // The form's dialog navigation sends Enter and Esc as IDOK and IDCANCEL.
  CommandHandlers[IDOK] = [this] { Button1Click(); };
  CommandHandlers[IDCANCEL] = [this] { Button2Click(); };
}

void TForm1::Button1Click() {
  if (g_config && g_config->panel)
    g_config->panel->Button1Click();
  else
    Close();
}

void TForm1::Button2Click() {
  if (g_config && g_config->panel)
    g_config->panel->Button2Click();
  else
    Close();
}

}  // namespace vorn::app
