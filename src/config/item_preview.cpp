#include "config/item_preview.h"

#include "text/cp1250.h"

namespace vorn::config {

std::string hangLabText(const std::string& soundPath) {
  return soundPath.empty() ? "NINCS" : "VAN";
}

std::string chgIntLabText(int32_t chgInt) {
  return std::to_string(chgInt) + text::W1250(" másodperc");
}

std::string tipusLabText(const std::string& mediaPath) {
  const size_t slash = mediaPath.find_last_of("\\:/");
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const size_t dot = mediaPath.rfind('.');
  if (dot == std::string::npos || dot < nameStart) return {};
  return text::asciiUpper(mediaPath.substr(dot));
}

std::string picSizeText(int32_t width, int32_t height, bool movie) {
  return std::to_string(width) + (movie ? "x" : "*") + std::to_string(height);
}

std::string versionLabelText(bool valid, uint32_t fileMS) {
  std::string s = text::W1250("Változat: ");
  if (!valid) return s + "[Ismeretlen]";
  return s + std::to_string(fileMS >> 16) + "." + std::to_string(fileMS & 0xFFFF);
}

std::string notSavedAfterFailedLoadText() {
  return text::W1250(
      "A beállítások nem kerültek mentésre, mert a projektállomány betöltése nem sikerült, "
      "és a mentés felülírná a meglévő állományt.");
}

std::string notSavedAfterFailedLoadCaption() { return "HIBA"; }

std::string notSavedFileChangedText() {
  return text::W1250(
      "A beállítások nem kerültek mentésre, mert a projektállományt a beállítások megnyitása "
      "óta egy másik program megváltoztatta. Nyissa meg újra a beállításokat.");
}

std::string saveFailedText() {
  return text::W1250(
      "A beállítások mentése nem sikerült; a projektállomány változatlan maradt.");
}

}  // namespace vorn::config
