#pragma once
// The soak's collection on a fake disk: Vorn.scr and Vorn.CNF in C:\Saver,
// the media in C:\Saver\Vorn\ and the background music in its BckSnd\.
// Items of every kind the show meets: pictures in each format at sizes from
// one pixel up, movies, metafiles (no decoder off Windows), files whose
// bytes no decoder accepts, unknown extensions; with and without captions
// and item sounds, fixed and random styles, intervals of 1 to 10 s. Every
// stored CRC matches, so the collection loads; what breaks later is the
// disk churn's doing.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/fake/fake_file_system.h"

namespace vorn::soak {

enum class Kind { Picture, Movie, Metafile, Undecodable, UnknownExtension };

struct PlannedItem {
  Kind kind = Kind::Picture;
  std::string file;             // located path in the media folder
  std::vector<uint8_t> bytes;   // as generated, to put back after a churn
  int fixedStyle = -1;          // the style its EffectNum selects, -1 random
  bool churnable = true;        // the disk churn may delete or rewrite it
};

struct SoakCollection {
  static constexpr const char* kExe = "C:\\Saver\\Vorn.scr";
  static constexpr const char* kCnf = "C:\\Saver\\Vorn.CNF";
  static constexpr const char* kMediaDir = "C:\\Saver\\Vorn\\";
  std::vector<PlannedItem> items;
};

// Paints the media and saves the collection through the file manager.
// Returns false (with a line on stderr) when the save failed.
bool makeSoakCollection(fake::FakeFileSystem& fs, int itemCount, uint32_t seed, SoakCollection& out);

// A different, valid picture for the file's extension (another size), or
// bytes no decoder takes: what a user copying files over the folder leaves.
std::vector<uint8_t> rewrittenPicture(const std::string& file, uint32_t seed, bool decodable);

}  // namespace vorn::soak
