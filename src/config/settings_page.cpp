#include "config/settings_page.h"

#include <algorithm>

#include "text/cp1250.h"

namespace vorn::config {

void SettingsPage::ChgINTRadioButtonClick() {
  if (RadioButton1) {
    ChgIntSE.enabled = true;
    ChgIntMINSE.enabled = false;
    ChgIntMAXSE.enabled = false;
  } else if (RadioButton2) {
    ChgIntMINSE.enabled = true;
    ChgIntMAXSE.enabled = true;
    ChgIntSE.enabled = false;
  }
}

void SettingsPage::ChgIntMINSEChange() {
  // A minimum above the maximum would make the control show (and the header
  // get) more than 99.
  ChgIntMAXSE.setMinValue(std::min(ChgIntMINSE.value() + 4, ChgIntMAXSE.maxValue()));
  keepUpperInRange();
}

void SettingsPage::keepUpperInRange() {
  const int32_t v = ChgIntMAXSE.value();
  if (v < ChgIntMAXSE.minValue())
    ChgIntMAXSE.setValue(ChgIntMAXSE.minValue());
  else if (v > ChgIntMAXSE.maxValue())
    ChgIntMAXSE.setValue(ChgIntMAXSE.maxValue());
}

void SettingsPage::ALLBckSoundsFEAfterDialog(const std::string& chosen) {
  std::string name;
  for (char c : chosen)
    if (c != '"') name += c;
  ALLBckSoundsFE = name;
}

void SettingsPage::checkRadio(int which) {
  RadioButton1 = which == 1;
  RadioButton2 = which == 2;
  ChgINTRadioButtonClick();
}

void SettingsPage::setChgIntMin(int32_t v) {
  ChgIntMINSE.setValue(v);
  ChgIntMINSEChange();
}

void SettingsPage::setChgIntMax(int32_t v) {
  ChgIntMAXSE.setValue(v);
  keepUpperInRange();
}

void SettingsPage::clampTypedValues() {
  ChgIntSE.loseFocus();
  ChgIntMINSE.loseFocus();
  ChgIntMINSEChange();  // clamps the upper bound too
}

std::string showModeText(int row) {
  switch (row) {
    case 0: return text::W1250("Eredeti méretben jelenik meg");
    case 1: return text::W1250("Kép/Film az ablakmérethez nyúlik");
  }
  return {};
}

}  // namespace vorn::config
