#pragma once
// Panel2 as data: what loading a collection puts into the panel's controls,
// and what "OK" takes back out of them. The Windows dialog shows this model
// and feeds the user's changes into it.
#include <cstdint>
#include <string>
#include <vector>

#include "collection/cnf_records.h"
#include "collection/collection_view.h"
#include "config/settings_page.h"

namespace vorn {
class CollectionHost;
class TCollectionState;
class MessageBoxes;
}  // namespace vorn

namespace vorn::config {

struct ListRow {
  std::string caption;  // file name without extension
  int icon = 0;         // 0 picture, 1 movie
};

class PanelModel final {
 public:
  // About page ("Névjegy") values from the header.
  std::string CollNameST;
  bool CopyrightVisible = false;
  std::string CopyrightE;
  bool CollUrlVisible = false;
  std::string CI_URLL;  // the link shows it as its text too
  std::string CI_CommentL;
  SettingsPage settings;
  std::vector<ListRow> ListView1;

  // Puts a loaded collection into the controls. Checking a radio button and
  // setting the lower random bound run the reactions the user's own change
  // would run; an interval mode other than 0 and 1 checks neither button.
  void showCollection(const CollectionView& v);
};

// Loads the collection beside the program (INITAll) and shows it in the
// panel; a collection whose media changed leaves the controls as they were.
void LoadIntoPanel(TCollectionState& state, CollectionHost& host, bool testRun, PanelModel& panel);

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
