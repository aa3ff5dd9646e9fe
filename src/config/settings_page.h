#pragma once
// The "Beállítások" page of Panel2 as plain state with the panel's coupling
// rules. The Windows dialog mirrors these controls; the rules live here so
// they are the same whoever drives them (the dialog, the loader, the tests).
#include <cstdint>
#include <string>

#include "config/spin_edit.h"

namespace vorn::config {

struct SettingsPage {
  bool UseCommonOptionsCB = false;
  bool RadioButton1 = true;
  bool RadioButton2 = false;
  SpinEdit ChgIntSE{1, 99, 5};
  SpinEdit ChgIntMINSE{1, 99, 3};
  // The lower bound follows ChgIntMINSE + 4 from its first change on.
  SpinEdit ChgIntMAXSE{2, 99, 15};
  int ShwEffectNum = 0;  // selected row, 0..123
  int ShowModeCB = 0;    // selected row, 0..1
  uint32_t BckColCB = 0; // selected colour, 0x00BBGGRR
  bool NoMouseMoveExitCB = false;
  bool DisableAllSoundsCB = false;
  std::string ALLBckSoundsFE;  // Windows-1250 file name

  SettingsPage() { ChgINTRadioButtonClick(); }

  // Enables the spin edits of the chosen interval mode.
  void ChgINTRadioButtonClick();
  // Keeps the upper random bound at least 4 above the lower one, and never
  // above its maximum of 99: from a lower bound of 95 on it is 99.
  void ChgIntMINSEChange();
  // The file dialog's choice, without its double quotes.
  void ALLBckSoundsFEAfterDialog(const std::string& chosen);

  // Checking a radio button or changing the lower bound runs the reactions
  // the user's own change would run.
  void checkRadio(int which);
  void setChgIntMin(int32_t v);
  void setChgIntMax(int32_t v);  // kept within its range
  // From a lower bound of 95 on, the upper bound's range is 99 alone, where
  // a spin edit clamps nothing; this keeps its value within the range.
  void keepUpperInRange();
  // Clamps what was typed into the spin edits, as leaving each of them does;
  // the lower bound's clamp reruns the coupling. Saving needs this whatever
  // way it was reached: Enter saves without the focus leaving the box.
  void clampTypedValues();
};

// Row texts of ShowModeCB (Windows-1250).
std::string showModeText(int row);
constexpr int kShowModeRows = 2;

}  // namespace vorn::config
