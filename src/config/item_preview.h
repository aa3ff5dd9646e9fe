#pragma once
// Texts of the preview labels beside ImagePreV for the selected list row.
#include <cstdint>
#include <string>

namespace vorn::config {

// HangLab: whether the item has a sound of its own.
std::string hangLabText(const std::string& soundPath);
// ChgIntLab: the item's display time.
std::string chgIntLabText(int32_t chgInt);
// TipusLab: the upper-cased extension of the media file, with its dot; empty
// when the file name has none.
std::string tipusLabText(const std::string& mediaPath);
// PicSizeL: "800*600" for a picture, "320x240" for a movie.
std::string picSizeText(int32_t width, int32_t height, bool movie);

// ssVerL: "Változat: 2.1", or "Változat: [Ismeretlen]" without version data.
std::string versionLabelText(bool valid, uint32_t fileMS);

// The one sentence the panel says when "OK" cannot save because the
// collection did not load: saving would replace it by an empty one.
std::string notSavedAfterFailedLoadText();
std::string notSavedAfterFailedLoadCaption();
// Said when the collection file could not be written.
std::string saveFailedText();
// "OK" found the collection file changed since the panel read it.
std::string notSavedFileChangedText();

}  // namespace vorn::config
