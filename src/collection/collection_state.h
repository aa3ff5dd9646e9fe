#pragma once
// The program-wide collection state that INITAll sets up for the show and the
// configuration panel: the one file manager, the shared item buffer, the
// installed media folders, whether this is a test run, and LoadFailed.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "collection/cnf_file_man.h"
#include "collection/cnf_records.h"
#include "collection/collection_host.h"
#include "collection/collection_view.h"
#include "collection/crc32.h"
#include "collection/item_kind.h"
#include "platform/file_system.h"
#include "platform/message_box.h"

namespace vorn {

// The messages of loading, Windows-1250.
std::string collectionMissingText();
std::string collectionMissingCaption();  // "Megnyitási hiba"
std::string mediaChangedText(const std::string& fileName);

// Where a file named in the collection lies. Normal run: the installed folder
// plus the file-name part of the stored path; test run: the stored path as it
// is. An empty stored path (or one ending in a separator) names no file and
// gives "".
struct MediaLocation {
  bool testRun = false;
  std::string MediaDir;   // ends in "\"; empty in a test run
  std::string BckSndDir;  // MediaDir + "BckSnd\"; empty in a test run
  std::string media(const std::string& stored) const;     // MediaPath, SoundPath
  std::string bckSound(const std::string& stored) const;  // AllBckSound
};

// The first held item whose media file (at its location) does not match its
// MediaCRC, or -1. Each item passes through `buffer` (GetItem).
int firstChangedItem(const TCNFFileMan& man, FileSystem& fs, const MediaLocation& where,
                     TCNFItem& buffer);
// The comment as the panel shows it: CommentLen characters, "||" as CR LF.
std::string commentForDisplay(const TCNFHeader& header);
CollectionSettings collectionSettingsOf(const TCNFHeader& header);
// The header's texts and settings and a row for each held item.
CollectionView collectionViewOf(const TCNFFileMan& man);

class TCollectionState {
 public:
  TCollectionState(FileSystem& fs, MessageBoxes& boxes) : fs_(fs), boxes_(boxes) {}

  // Hides the application window, creates the manager and CurrentItem, finds
  // the collection beside the executable (by its long name), fixes the media
  // folders and runs LoadCollection. `view` (null for the show) receives
  // what the panel shows, also from the zero header of a missing file; it is
  // left as it was when a media file changed.
  // Without `checkMedia` no media file is read: the preview, which shows
  // the pictures only and reads each one when it shows it, starts at once.
  void INITAll(CollectionHost& host, bool testRun, std::optional<CollectionView>* view,
               bool checkMedia = true);
  void LoadCollection(std::optional<CollectionView>* view, bool checkMedia = true);
  // The form's close: releases the manager and CurrentItem.
  void Release();

  std::string locateMediaFile(const std::string& stored) const { return where_.media(stored); }
  std::string locateBckSound(const std::string& stored) const { return where_.bckSound(stored); }
  const std::string& MediaDir() const { return where_.MediaDir; }
  const std::string& BckSndDir() const { return where_.BckSndDir; }
  bool TestRun() const { return where_.testRun; }
  const MediaLocation& location() const { return where_; }

  std::unique_ptr<TCNFFileMan> FileMan;
  std::unique_ptr<TCNFItem> CurrentItem;
  bool LoadFailed = false;

 private:
  FileSystem& fs_;
  MessageBoxes& boxes_;
  MediaLocation where_;
};

}  // namespace vorn
