#include "show/collection_source.h"

namespace vorn::show {

ShowHeader showHeaderOf(const TCNFHeader& h) {
  ShowHeader s;
  static_cast<CollectionSettings&>(s) = collectionSettingsOf(h);
  s.ItemCount = h.ItemCount();
  return s;
}

ShowItem showItemOf(const TCNFItem& it) {
  ShowItem s;
  s.MediaPath = it.MediaPath();
  s.SoundPath = it.SoundPath();
  s.SoundLoop = it.SoundLoop();
  s.PicText = it.PicText();
  s.PicTextPos = it.PicTextPos();
  s.PicTextFont = it.PicTextFont();
  s.PicTextSize = it.PicTextSize();
  s.PicTextColor = it.PicTextColor();
  s.ChgInt = it.ChgInt();
  s.EffectNum = it.EffectNum();
  s.ShowMode = it.ShowMode();
  s.BckColor = it.BckColor();
  return s;
}

bool CollectionShowSource::initAll() { return load(true); }

bool CollectionShowSource::initAllUnchecked() { return load(false); }

bool CollectionShowSource::load(bool checkMedia) {
  state_.INITAll(host_, testRun_, nullptr, checkMedia);
  if (state_.FileMan) header_ = showHeaderOf(state_.FileMan->header);
  return state_.LoadFailed;
}

const ShowHeader& CollectionShowSource::header() {
  // The header is taken once: only the configuration panel changes it, and
  // never while a show runs.
  return header_;
}

bool CollectionShowSource::getItem(int32_t index, ShowItem& out) {
  if (!state_.FileMan || !state_.CurrentItem) return false;
  if (!state_.FileMan->GetItem(index, *state_.CurrentItem)) return false;
  out = showItemOf(*state_.CurrentItem);
  return true;
}

void CollectionShowSource::release() { state_.Release(); }

}  // namespace vorn::show
