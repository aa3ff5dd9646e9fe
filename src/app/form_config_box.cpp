// The configuration box's handlers: the collection is loaded into Panel2's
// model, the panel shows it, and "OK" writes the settings back.
#include <memory>

#include "app/main_form.h"
#include "collection/collection_state.h"
#include "collection/win32/win32_collection_host.h"
#include "config/win32/panel2_window.h"
#include "platform/win32/win32_file_system.h"
#include "show/win32/mci_player.h"
#include "text/cp1250.h"

namespace vorn::app {
namespace {

class PanelMessageBoxes final : public MessageBoxes {
 public:
  explicit PanelMessageBoxes(HWND owner) : owner_(owner) {}
  void show(const std::string& text, const std::string& caption) override {
    const std::u16string t = text::cp1250ToUtf16(text), c = text::cp1250ToUtf16(caption);
    MessageBoxW(owner_, reinterpret_cast<LPCWSTR>(t.c_str()), reinterpret_cast<LPCWSTR>(c.c_str()),
                MB_OK);
  }

 private:
  HWND owner_;
};

std::string ownPath() {
  wchar_t buf[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, buf, MAX_PATH);
  return text::utf16ToCp1250(reinterpret_cast<const char16_t*>(buf));
}

// Everything the box holds, released with the form.
struct ConfigRuntime {
  Win32FileSystem fs;
  PanelMessageBoxes boxes;
  TCollectionState state{fs, boxes};
  Win32CollectionHost host;
  std::unique_ptr<show::win32::MciMediaPlayer> mediaPrev;
  std::unique_ptr<config::win32::Panel2> panel;

  ConfigRuntime(TForm1& f)
      : boxes(f.Hwnd()), host(HWND(f.ApplicationHandle()), f.ApplicationTitle()) {}
  ~ConfigRuntime() {
    if (mediaPrev) (void)mediaPrev->close();
    state.Release();
  }
};

std::unique_ptr<ConfigRuntime> g_config;

}  // namespace

void TForm1::SS1BeforeConfigBoxActive(TScreenSaver&) {
  SaverActive = false;
  g_config = std::make_unique<ConfigRuntime>(*this);
  ConfigRuntime& rt = *g_config;
  config::win32::Panel2Services svc;
  svc.state = &rt.state;
  svc.fs = &rt.fs;
  svc.boxes = &rt.boxes;
  svc.exePath = ownPath();
  svc.closeForm = [this] { Close(); };
  svc.saverActive = &SaverActive;
  // The stand-in buttons of the stored layout give way to the panel's own.
  if (Button1) DestroyWindow(Button1);
  if (Button2) DestroyWindow(Button2);
  Button1 = Button2 = nullptr;
  rt.panel = std::make_unique<config::win32::Panel2>(Panel2->Handle(), svc);
  rt.mediaPrev = std::make_unique<show::win32::MciMediaPlayer>(rt.panel->tabControl1(), Hwnd());
  rt.panel->setMediaPrev(rt.mediaPrev.get());
  Panel2->SetBounds(0, 0, rt.panel->width(), rt.panel->height());
  ShowWindow(rt.panel->hwnd(), SW_SHOW);
  const bool testRun = ScreenSaver1->System.ParamStr(2) == "/TEST";
  rt.state.INITAll(rt.host, testRun, &rt.panel->model());
  rt.panel->SS1BeforeConfigBoxActive();
  // The form's dialog navigation sends Enter and Esc as IDOK and IDCANCEL.
  CommandHandlers[IDOK] = [this] { Button1Click(); };
  CommandHandlers[IDCANCEL] = [this] { Button2Click(); };
  InPreview = false;
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
