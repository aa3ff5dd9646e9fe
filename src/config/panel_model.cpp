#include "config/panel_model.h"

#include "collection/collection_state.h"
#include "config/item_preview.h"
#include "platform/message_box.h"

namespace vorn::config {

void SaveSettings(const SettingsPage& typed, TCNFHeader& header) {
  SettingsPage page = typed;
  page.clampTypedValues();
  header.setUseCommonOptions(page.UseCommonOptionsCB);
  header.setBckColor(page.BckColCB);
  if (page.RadioButton1)
    header.setChgIntMode(0);
  else if (page.RadioButton2)
    header.setChgIntMode(1);
  header.setChgInt(page.ChgIntSE.value());
  header.setChgIntMin(page.ChgIntMINSE.value());
  header.setChgIntMax(page.ChgIntMAXSE.value());
  header.setShowMode(page.ShowModeCB);
  header.setEffectNum(page.ShwEffectNum);
  header.setNoMouseMoveExit(page.NoMouseMoveExitCB);
  header.setDisableAllSounds(page.DisableAllSoundsCB);
  header.setAllBckSound(page.ALLBckSoundsFE);  // the field keeps the first 255 bytes
}

SaveOutcome Button1Save(const SettingsPage& page, TCollectionState& state, MessageBoxes& boxes) {
  TCNFFileMan* man = state.FileMan.get();
  if (!man || state.LoadFailed || !man->LastLoadAccepted()) {
    boxes.show(notSavedAfterFailedLoadText(), notSavedAfterFailedLoadCaption());
    return SaveOutcome::NotSavedLoadFailed;
  }
  if (!man->FileUnchangedSinceLoad()) {
    boxes.show(notSavedFileChangedText(), notSavedAfterFailedLoadCaption());
    return SaveOutcome::NotSavedFileChanged;
  }
  const TCNFHeader before = man->header;
  SaveSettings(page, man->header);
  if (!man->SaveToFile()) {
    man->header = before;
    boxes.show(saveFailedText(), notSavedAfterFailedLoadCaption());
    return SaveOutcome::WriteFailed;
  }
  return SaveOutcome::Saved;
}

}  // namespace vorn::config
