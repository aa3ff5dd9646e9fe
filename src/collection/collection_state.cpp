#include "collection/collection_state.h"

#include "text/cp1250.h"

namespace vorn {
namespace {

// ExtractFilePath: everything up to and including the last "\" or ":".
std::string folderWithSeparator(const std::string& path) {
  const size_t p = path.find_last_of("\\:");
  return p == std::string::npos ? std::string() : path.substr(0, p + 1);
}

}  // namespace

std::string collectionMissingText() {
  // "magnyitható" is the program's own spelling; users have seen it for years.
  return text::W1250(
      "Nem található, vagy nem magnyitható a beállításokat tartalmazó állomány... Telepítse "
      "újra a képernyővédőt, vagy vegye fel a kapcsolatot a rendszergazdával.");
}

std::string collectionMissingCaption() { return text::W1250("Megnyitási hiba"); }

std::string mediaChangedText(const std::string& fileName) {
  return text::W1250(
             "A következő állomány megsérült, vagy megváltozott. A projekt így nem "
             "betölthető...\r") +
         fileName;
}

std::string MediaLocation::media(const std::string& stored) const {
  if (testRun) return stored;
  const std::string name = fileNamePart(stored);
  return name.empty() ? std::string() : MediaDir + name;
}

std::string MediaLocation::bckSound(const std::string& stored) const {
  if (testRun) return stored;
  const std::string name = fileNamePart(stored);
  return name.empty() ? std::string() : BckSndDir + name;
}

int firstChangedItem(const TCNFFileMan& man, FileSystem& fs, const MediaLocation& where,
                     TCNFItem& buffer) {
  for (int i = 0; i < man.Count(); ++i) {
    man.GetItem(i, buffer);
    const std::string path = where.media(buffer.MediaPath());
    const std::optional<uint64_t> crc = path.empty() ? std::nullopt : FileCRC(fs, path);
    if (!crc || *crc != static_cast<uint64_t>(buffer.MediaCRC())) return i;
  }
  return -1;
}

std::string commentForDisplay(const TCNFHeader& header) {
  const std::string raw = header.Comment();
  std::string out;
  out.reserve(raw.size() + 16);
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '|' && i + 1 < raw.size() && raw[i + 1] == '|') {
      out += "\r\n";
      ++i;
    } else {
      out += raw[i];
    }
  }
  return out;
}

CollectionSettings collectionSettingsOf(const TCNFHeader& h) {
  CollectionSettings s;
  s.UseCommonOptions = h.UseCommonOptions();
  s.BckColor = h.BckColor();
  s.ChgIntMode = h.ChgIntMode();
  s.ChgInt = h.ChgInt();
  s.ChgIntMin = h.ChgIntMin();
  s.ChgIntMax = h.ChgIntMax();
  s.ShowMode = h.ShowMode();
  s.EffectNum = h.EffectNum();
  s.NoMouseMoveExit = h.NoMouseMoveExit();
  s.DisableAllSounds = h.DisableAllSounds();
  s.AllBckSound = h.AllBckSound();
  return s;
}

CollectionView collectionViewOf(const TCNFFileMan& man) {
  const TCNFHeader& h = man.header;
  CollectionView v;
  static_cast<CollectionSettings&>(v) = collectionSettingsOf(h);
  v.CollName = h.CollName();
  v.CopyText = h.CopyText();
  v.CollURL = h.CollURL();
  v.Comment = commentForDisplay(h);
  TCNFItem item;
  for (int i = 0; i < man.Count(); ++i) {
    man.GetItem(i, item);
    v.items.push_back({listCaptionOf(item.MediaPath()), hasMovieIcon(item.MediaPath())});
  }
  return v;
}

void TCollectionState::INITAll(CollectionHost& host, bool testRun, std::optional<CollectionView>* view,
                               bool checkMedia) {
  host.hideApplicationWindow();

  const std::string exe = host.executablePath();
  CurrentItem = std::make_unique<TCNFItem>();
  CurrentItem->zeroFill();
  FileMan = std::make_unique<TCNFFileMan>(fs_, boxes_, exe);

  // The collection is named after the executable's long name even when the
  // system started us under the 8.3 alias; the folder stays as reported.
  std::string longName = fileNamePart(exe);
  if (auto entry = fs_.findFirst(exe); entry && !entry->longName.empty()) longName = entry->longName;
  std::string folder = folderWithSeparator(exe);
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  FileMan->FileName = folder + "\\" + changeFileExt(longName, ".CNF");

  where_.testRun = testRun;
  if (testRun) {
    where_.MediaDir.clear();
    where_.BckSndDir.clear();
  } else {
    // X:\dir\Name.scr -> X:\dir\Name\ (from the path as reported, short or not).
    where_.MediaDir = exe.substr(0, exe.size() >= 4 ? exe.size() - 4 : 0) + "\\";
    where_.BckSndDir = where_.MediaDir + "BckSnd\\";
  }
  LoadCollection(view, checkMedia);
}

void TCollectionState::LoadCollection(std::optional<CollectionView>* view, bool checkMedia) {
  LoadFailed = false;
  if (!FileMan) return;
  if (!CurrentItem) {
    CurrentItem = std::make_unique<TCNFItem>();
    CurrentItem->zeroFill();
  }
  if (!fs_.exists(FileMan->FileName)) {
    boxes_.show(collectionMissingText(), collectionMissingCaption());
    LoadFailed = true;
  }
  FileMan->LoadFromFile();

  const int bad = checkMedia ? firstChangedItem(*FileMan, fs_, where_, *CurrentItem) : -1;
  if (bad >= 0) {
    boxes_.show(mediaChangedText(fileNamePart(CurrentItem->MediaPath())), "HIBA");
    LoadFailed = true;
    FileMan->Clear();
    return;
  }
  if (view) *view = collectionViewOf(*FileMan);
}

void TCollectionState::Release() {
  FileMan.reset();
  CurrentItem.reset();
}

}  // namespace vorn
