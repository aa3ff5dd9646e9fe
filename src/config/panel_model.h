#pragma once
// Panel2 as data: what loading a collection puts into the panel's controls,
// and what "OK" takes back out of them. The Windows dialog shows this model
// and feeds the user's changes into it.
#include <cstdint>
#include <string>
#include <vector>

#include "collection/cnf_records.h"
#include "collection/collection_controls.h"
#include "config/settings_page.h"

namespace vorn {
class TCollectionState;
class MessageBoxes;
}  // namespace vorn

namespace vorn::config {

struct ListRow {
  std::string caption;  // file name without extension
  int icon = 0;         // 0 picture, 1 movie
};

class PanelModel final : public CollectionControls {
 public:
  // About page ("Névjegy") values from the header.
  std::string CollNameST;
  bool CopyrightVisible = false;
  std::string CopyrightE;
  bool CollUrlVisible = false;
  std::string CI_URLL;
  std::string CI_CommentL;
  SettingsPage settings;
  std::vector<ListRow> ListView1;

  void setCollNameST(const std::string& t) override { CollNameST = t; }
  void setCopyrightVisible(bool v) override { CopyrightVisible = v; }
  void setCopyrightE(const std::string& t) override { CopyrightE = t; }
  void setCollUrlVisible(bool v) override { CollUrlVisible = v; }
  void setCI_URLL(const std::string& a) override { CI_URLL = a; }
  void setCI_CommentL(const std::string& t) override { CI_CommentL = t; }
  void setUseCommonOptionsCB(bool v) override { settings.UseCommonOptionsCB = v; }
  void setBckColCB(uint32_t c) override { settings.BckColCB = c; }
  void setShwEffectNum(int32_t i) override { settings.ShwEffectNum = i; }
  void checkRadioButton1() override { settings.checkRadio(1); }
  void checkRadioButton2() override { settings.checkRadio(2); }
  void setChgIntSE(int32_t v) override { settings.ChgIntSE.setValue(v); }
  void setChgIntMINSE(int32_t v) override { settings.setChgIntMin(v); }
  void setChgIntMAXSE(int32_t v) override { settings.setChgIntMax(v); }
  void setShowModeCB(int32_t i) override { settings.ShowModeCB = i; }
  void setNoMouseMoveExitCB(bool v) override { settings.NoMouseMoveExitCB = v; }
  void setDisableAllSoundsCB(bool v) override { settings.DisableAllSoundsCB = v; }
  void setALLBckSoundsFE(const std::string& t) override { settings.ALLBckSoundsFE = t; }
  void clearListView1() override { ListView1.clear(); }
  void addListView1Row(const std::string& caption, int icon) override {
    ListView1.push_back({caption, icon});
  }
};

// Copies the settings page into the header fields it owns, the spin edits'
// typed values clamped first; nothing else of the header changes.
void SaveSettings(const SettingsPage& typed, TCNFHeader& header);

enum class SaveOutcome { Saved, NotSavedLoadFailed, NotSavedFileChanged, WriteFailed };

// "OK": SaveSettings and SaveToFile, unless the collection did not load (a
// missing file, a changed media file or a rejected signature leave no items,
// and a save would replace the collection by an empty one), or unless the
// file on disk is no longer the one loaded when the panel opened (another
// program replaced, changed or deleted it meanwhile): the save writes every
// item held, so it would put the old items over the new file. The user's
// changes are then not saved, and the message says why; the panel can be
// opened again on the new file. Failures are told in one message box; the
// file on disk stays as it was.
SaveOutcome Button1Save(const SettingsPage& page, TCollectionState& state, MessageBoxes& boxes);

// A collection whose header announces more than eight items narrows the list
// column by 16 pixels (room for the scroll bar).
constexpr bool narrowListColumn(int32_t itemCount) { return itemCount > 8; }

}  // namespace vorn::config
