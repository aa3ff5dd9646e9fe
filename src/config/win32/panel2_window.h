#pragma once
// Panel2, the configuration box: a child panel of the main form with the
// three pages, the preview and the OK / "Mégsem" buttons. It shows a
// PanelModel (filled by the collection loader) and writes the user's changes
// back through Button1Save.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>

#include "codecs/picture.h"
#include "config/panel_model.h"
#include "raster/bitmap24.h"

namespace vorn {
class TCollectionState;
class FileSystem;
class MessageBoxes;
}  // namespace vorn
namespace vorn::show {
class MediaPlayer;
}

namespace vorn::config::win32 {

struct Panel2Services {
  TCollectionState* state = nullptr;
  FileSystem* fs = nullptr;
  MessageBoxes* boxes = nullptr;
  show::MediaPlayer* mediaPrev = nullptr;  // movie preview and non-WAV item sounds; may be null
  std::string exePath;               // Windows-1250, for the version label
  std::function<void()> closeForm;   // the buttons close the form
  const bool* saverActive = nullptr; // SaverActive of the form
};

class Panel2 {
 public:
  Panel2(HWND parent, Panel2Services services);
  ~Panel2();
  Panel2(const Panel2&) = delete;
  Panel2& operator=(const Panel2&) = delete;

  HWND hwnd() const { return hwnd_; }
  int width() const;
  int height() const;
  PanelModel& model() { return model_; }

  // The box's set-up after the collection was loaded into model(): controls
  // from the model, list column, version label, first page active.
  void SS1BeforeConfigBoxActive();
  // For the form's message loop: Tab moves between controls, Esc cancels,
  // Enter confirms. True when the message was handled.
  bool preTranslate(MSG& msg);

  // Handlers (public so the window procedures reach them).
  LRESULT onCommand(int id, int code, HWND ctl);
  LRESULT onNotify(NMHDR* n);
  bool onDrawItem(DRAWITEMSTRUCT* d);
  bool onMeasureItem(MEASUREITEMSTRUCT* m);
  HBRUSH onCtlColor(HDC dc, HWND ctl);
  void selectPage(int index);
  // "OK": save the settings (unless the load failed), then close the form.
  void Button1Click();
  // "Mégsem": close the form.
  void Button2Click();
  // Where the movie preview plays (MediaPrev's display window).
  HWND tabControl1() const;
  void setMediaPrev(show::MediaPlayer* player) { svc_.mediaPrev = player; }

 private:
  void createFrame();
  void createItemsPage(HWND page);
  void createSettingsPage(HWND page);
  void createAboutPage(HWND page);
  HWND ctl(int id) const;
  void modelToControls();
  void controlsToModel();
  void applyEnabledStates();
  void spinToControl(int id, const SpinEdit& s);
  int32_t readSpin(int id, SpinEdit& s);
  void ListView1Change();
  void showSelectedItem();
  void clearPreview();
  void browseBackgroundSound();
  void drawPreview(DRAWITEMSTRUCT* d);
  void drawColourItem(DRAWITEMSTRUCT* d);
  void selectColour(uint32_t colour);

  HWND parent_;
  Panel2Services svc_;
  PanelModel model_;
  HWND hwnd_ = nullptr;
  HWND pages_[3] = {};
  HFONT font_ = nullptr, boldFont_ = nullptr, titleFont_ = nullptr;
  HBRUSH pageBrush_ = nullptr;
  HIMAGELIST images_ = nullptr;
  int dpi_ = 96;
  bool updating_ = false;
  TPicture preview_;
  Bitmap24 previewFrame_;  // ImagePreV's content, made once per selection
};

}  // namespace vorn::config::win32
