#include "config/panel_model.h"

#include "collection/collection_state.h"
#include "config/item_preview.h"
#include "platform/message_box.h"

namespace vorn::config {

void PanelModel::showCollection(const CollectionView& v) {
  CollNameST = v.CollName;
  CopyrightVisible = !v.CopyText.empty();
  CopyrightE = v.CopyText;
  CollUrlVisible = !v.CollURL.empty();
  CI_URLL = v.CollURL;
  CI_CommentL = v.Comment;
  settings.UseCommonOptionsCB = v.UseCommonOptions;
  settings.BckColCB = v.BckColor;
  settings.ShwEffectNum = v.EffectNum;
  if (v.ChgIntMode == 0) settings.checkRadio(1);
  if (v.ChgIntMode == 1) settings.checkRadio(2);
  settings.ChgIntSE.setValue(v.ChgInt);
  settings.setChgIntMin(v.ChgIntMin);
  settings.setChgIntMax(v.ChgIntMax);
  settings.ShowModeCB = v.ShowMode;
  settings.NoMouseMoveExitCB = v.NoMouseMoveExit;
  settings.DisableAllSoundsCB = v.DisableAllSounds;
  settings.ALLBckSoundsFE = v.AllBckSound;
  ListView1.clear();
  for (const CollectionView::Row& row : v.items) ListView1.push_back({row.caption, row.movie ? 1 : 0});
}

void LoadIntoPanel(TCollectionState& state, CollectionHost& host, bool testRun, PanelModel& panel) {
  std::optional<CollectionView> view;
  state.INITAll(host, testRun, &view);
  if (view) panel.showCollection(*view);
}

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
