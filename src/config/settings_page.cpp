#include "config/settings_page.h"

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
  ChgIntMAXSE.setMinValue(ChgIntMINSE.value() + 4);
  if (ChgIntMAXSE.value() < ChgIntMAXSE.minValue()) ChgIntMAXSE.setValue(ChgIntMAXSE.minValue());
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

std::string showModeText(int row) {
  switch (row) {
    case 0: return text::W1250("Eredeti méretben jelenik meg");
    case 1: return text::W1250("Kép/Film az ablakmérethez nyúlik");
  }
  return {};
}

}  // namespace vorn::config
