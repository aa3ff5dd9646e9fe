#include "soak_collection.h"

#include <cstdio>

#include "canvas.h"
#include "collection/cnf_file_man.h"
#include "collection/crc32.h"
#include "platform/fake/fake_message_box.h"
#include "platform/random.h"
#include "text/cp1250.h"
#include "transition/style_catalogue.h"
#include "writers.h"

namespace vorn::soak {
namespace {

constexpr const char* kStoredDir = "D:\\Gen\\";

demogen::Canvas paintSmall(int w, int h, uint32_t seed) {
  demogen::Canvas c(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      c.at(x, y) = {uint8_t(x * 7 + seed), uint8_t(y * 11 + (seed >> 3)), uint8_t((x ^ y) + seed * 5)};
  return c;
}

std::string lowerExt(const std::string& file) {
  std::string e = file.substr(file.find_last_of('.') + 1);
  for (char& ch : e) ch = char(ch >= 'A' && ch <= 'Z' ? ch + 32 : ch);
  return e;
}

std::vector<uint8_t> encodeFor(const std::string& ext, const demogen::Canvas& c) {
  if (ext == "bmp") return demogen::encodeBmp(c);
  if (ext == "gif") return demogen::encodeGif(c);
  if (ext == "ico") return demogen::encodeIco(c);
  std::vector<uint8_t> out;
  demogen::encodeJpeg(c, 80, out);
  return out;
}

// Bytes that start like the format but do not decode: cut short, a header
// whose sizes lie, or noise after the signature.
std::vector<uint8_t> damaged(std::vector<uint8_t> good, LcgRandom& r) {
  switch (r.next(3)) {
    case 0:
      good.resize(good.size() * size_t(r.next(90)) / 100);
      break;
    case 1:
      for (size_t i = 6; i < good.size() && i < 40; ++i) good[i] = 0xFF;
      break;
    default:
      for (size_t i = 12; i < good.size(); ++i) good[i] = uint8_t(r.next(256));
      break;
  }
  return good;
}

std::vector<uint8_t> noise(size_t n, LcgRandom& r) {
  std::vector<uint8_t> b(n);
  for (auto& x : b) x = uint8_t(r.next(256));
  return b;
}

// Captions in the program's code page, some with the letters it must keep.
const char* const kCaptions[] = {"Nyári képek", "Őszi erdő", "Tó", "Balaton, 1998. július",
                                 "Ünnep", "Szél és hó a hegyen"};

}  // namespace

std::vector<uint8_t> rewrittenPicture(const std::string& file, uint32_t seed, bool decodable) {
  LcgRandom r(seed);
  const std::string ext = lowerExt(file);
  const bool picture = ext == "bmp" || ext == "gif" || ext == "ico" || ext == "jpg" || ext == "jpeg";
  if (!picture) return noise(64 + size_t(r.next(2000)), r);
  auto good = encodeFor(ext, paintSmall(1 + r.next(120), 1 + r.next(90), seed));
  return decodable ? good : damaged(std::move(good), r);
}

bool makeSoakCollection(fake::FakeFileSystem& fs, int itemCount, uint32_t seed, SoakCollection& out) {
  LcgRandom r(seed);
  fake::FakeMessageBoxes boxes;
  fs.addFile(SoakCollection::kExe, std::string("MZ"));
  const std::string media = SoakCollection::kMediaDir;
  fs.addFile(media + "BckSnd\\zene.mid", std::string("MThd soak background"));

  TCNFFileMan man(fs, boxes, SoakCollection::kExe);
  man.FileName = SoakCollection::kCnf;
  man.Now = [] { return 45000.5; };
  TCNFHeader& h = man.header;
  h.setCollName(text::W1250("Próbaüzem"));
  h.setUseCommonOptions(false);
  h.setAllBckSound(std::string(kStoredDir) + "zene.mid");

  int nextFixedStyle = 0;
  for (int i = 0; i < itemCount; ++i) {
    PlannedItem p;
    std::string ext;
    // The first two are plain pictures the heap samples are taken beside.
    const int roll = i < 2 ? 0 : r.next(100);
    if (roll < 72) {
      static const char* const exts[] = {"bmp", "gif", "jpg", "jpeg", "ico"};
      ext = i == 1 ? "jpg" : exts[r.next(5)];
      p.kind = Kind::Picture;
    } else if (roll < 82) {
      static const char* const exts[] = {"mpg", "avi", "mp3", "mpeg"};
      ext = exts[r.next(4)];
      p.kind = Kind::Movie;
    } else if (roll < 86) {
      ext = r.next(2) ? "wmf" : "emf";
      p.kind = Kind::Metafile;
    } else if (roll < 97) {
      static const char* const exts[] = {"bmp", "gif", "jpg", "ico"};
      ext = exts[r.next(4)];
      p.kind = Kind::Undecodable;
    } else {
      ext = r.next(2) ? "png" : "txt";
      p.kind = Kind::UnknownExtension;
    }
    char name[32];
    std::snprintf(name, sizeof name, "k%03d.%s", i, ext.c_str());
    p.file = media + name;

    // Mostly small, now and then a single pixel row or a picture larger
    // than the frame, so placement both shrinks and enlarges.
    int w = 2 + r.next(150), hgt = 2 + r.next(110);
    if (r.next(20) == 0) w = 1;
    if (r.next(20) == 0) hgt = 1;
    if (r.next(25) == 0 && ext != "ico") w = 300, hgt = 220;
    switch (p.kind) {
      case Kind::Picture: p.bytes = encodeFor(ext, paintSmall(w, hgt, uint32_t(i))); break;
      case Kind::Undecodable: p.bytes = damaged(encodeFor(ext, paintSmall(w, hgt, uint32_t(i))), r); break;
      case Kind::Movie:
        p.bytes = noise(100 + size_t(r.next(5000)), r);
        if (r.next(5) == 0) p.bytes[0] = 'X';  // the media player refuses it
        break;
      default: p.bytes = noise(20 + size_t(r.next(3000)), r); break;
    }
    fs.addFile(p.file, p.bytes);

    TCNFItem it;
    it.zeroFill();
    it.setMediaPath(kStoredDir + std::string(name));
    it.setMediaCRC(int64_t(*FileCRC(fs, p.file)));
    it.setChgInt(1 + r.next(10));
    it.setShowMode(r.next(2));
    it.setBckColor(uint32_t(r.next(0x1000000)));
    // Every style 0..127 belongs to one plain picture, which the churn
    // leaves alone, so each runs on every pass; the rest pick at random
    // (EffectNum 0) or name any entry.
    if (p.kind == Kind::Picture && nextFixedStyle < kStyleCount) {
      p.fixedStyle = nextFixedStyle++;
      it.setEffectNum(p.fixedStyle + 1);
      p.churnable = false;
    } else {
      it.setEffectNum(r.next(3) == 0 ? 0 : r.next(kStyleCount + 1));
    }
    if (i < 2) p.churnable = false;
    if (r.next(3) == 0) {
      it.setPicText(text::W1250(kCaptions[r.next(6)]));
      it.setPicTextPos(uint8_t(r.next(6)));
      it.setPicTextFont("Arial");
      it.setPicTextSize(uint8_t(8 + r.next(30)));
      it.setPicTextColor(uint32_t(r.next(0x1000000)));
    }
    const int sound = r.next(10);
    if (sound < 4) {
      char snd[32];
      std::snprintf(snd, sizeof snd, "h%03d.%s", i, sound < 2 ? "wav" : "mid");
      it.setSoundPath(kStoredDir + std::string(snd));
      it.setSoundLoop(sound == 0);
      if (r.next(4) != 0) fs.addFile(media + snd, std::string("RIFF soak sound"));  // else missing
    }
    man.Add(it);
    out.items.push_back(std::move(p));
  }
  if (nextFixedStyle < kStyleCount) {
    std::fprintf(stderr, "soak: only %d plain pictures for %d styles\n", nextFixedStyle, kStyleCount);
    return false;
  }
  if (!man.SaveToFile()) {
    std::fprintf(stderr, "soak: the collection could not be saved\n");
    return false;
  }
  return true;
}

}  // namespace vorn::soak
