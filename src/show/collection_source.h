#pragma once
// The show's view of the program's collection state: INITAll, the header's
// and the items' show settings, the location rules and the close's release.
#include "collection/collection_state.h"
#include "platform/file_system.h"
#include "show/show_ports.h"

namespace vorn::show {

ShowHeader showHeaderOf(const TCNFHeader& h);
ShowItem showItemOf(const TCNFItem& it);

class CollectionShowSource final : public ShowCollection {
 public:
  CollectionShowSource(TCollectionState& state, CollectionHost& host, FileSystem& fs, bool testRun)
      : state_(state), host_(host), fs_(fs), testRun_(testRun) {}

  bool initAll() override;
  // The preview's load: the same collection without the media check.
  bool initAllUnchecked();
  const ShowHeader& header() override;
  // Through the shared buffer CurrentItem, as every reader of items does.
  bool getItem(int32_t index, ShowItem& out) override;
  std::string locateMediaFile(const std::string& stored) override {
    return state_.locateMediaFile(stored);
  }
  std::string locateBckSound(const std::string& stored) override {
    return state_.locateBckSound(stored);
  }
  bool fileExists(const std::string& path) override { return !path.empty() && fs_.exists(path); }
  void release() override;

 private:
  bool load(bool checkMedia);
  TCollectionState& state_;
  CollectionHost& host_;
  FileSystem& fs_;
  bool testRun_;
  ShowHeader header_;
};

}  // namespace vorn::show
