#pragma once
// The two records of a collection file, as byte images of the file itself:
//
//   offset 0      TCNFHeader   1320 bytes
//   offset 1320   TCNFItem      744 bytes  x ItemCount, back to back
//
// Every member is an array of bytes, so sizeof and offsetof below are the
// file's own numbers on every compiler; the static_asserts are the format's
// table. Texts are Windows-1250 bytes; callers convert (text/cp1250.h).
// Bytes the screen saver does not interpret (reserved ranges, padding, the
// tails of short strings) are kept as read and written back unchanged: the
// generator owns them.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "collection/byte_fields.h"

namespace vorn {

// The signature a collection file starts with; no length byte, no terminator.
inline constexpr char kCnfMagic[] = "VornGen2_Kettrel";
inline constexpr size_t kCnfMagicSize = 16;

struct TCNFHeader {
  static constexpr size_t kSize = 1320;

  uint8_t Magic_[16];
  cnf::Reserved<32> reserved16_;
  cnf::LeDouble SavedAt_;
  cnf::Reserved<1> reserved56_;
  cnf::Reserved<163> reserved57_;
  cnf::LeInt32 ItemCount_;
  cnf::ShortString<64> CollName_;
  cnf::ShortString<64> CopyText_;
  cnf::ShortString<64> CollURL_;
  uint8_t Comment_[512];
  cnf::Reserved<1> padding931_;
  cnf::LeUInt16 CommentLen_;
  cnf::Bool8 UseCommonOptions_;
  cnf::Reserved<1> padding935_;
  cnf::LeUInt32 BckColor_;
  cnf::LeInt32 ChgIntMode_;
  cnf::LeInt32 ChgInt_;
  cnf::LeInt32 ChgIntMin_;
  cnf::LeInt32 ChgIntMax_;
  cnf::LeInt32 ShowMode_;
  cnf::LeInt32 EffectNum_;
  cnf::Bool8 NoMouseMoveExit_;
  cnf::Bool8 DisableAllSounds_;
  cnf::ShortString<255> AllBckSound_;
  cnf::Reserved<98> reserved1222_;

  uint8_t* bytes() { return reinterpret_cast<uint8_t*>(this); }
  const uint8_t* bytes() const { return reinterpret_cast<const uint8_t*>(this); }
  void zeroFill() { std::memset(bytes(), 0, kSize); }

  std::string Magic() const { return std::string(reinterpret_cast<const char*>(Magic_), 16); }
  bool hasValidMagic() const { return std::memcmp(Magic_, kCnfMagic, kCnfMagicSize) == 0; }
  void setMagic() { std::memcpy(Magic_, kCnfMagic, kCnfMagicSize); }
  double SavedAt() const { return SavedAt_.get(); }
  void setSavedAt(double v) { SavedAt_.set(v); }
  int32_t ItemCount() const { return ItemCount_.get(); }
  void setItemCount(int32_t v) { ItemCount_.set(v); }
  std::string CollName() const { return CollName_.get(); }
  void setCollName(std::string_view s) { CollName_.set(s); }
  std::string CopyText() const { return CopyText_.get(); }
  void setCopyText(std::string_view s) { CopyText_.set(s); }
  std::string CollURL() const { return CollURL_.get(); }
  void setCollURL(std::string_view s) { CollURL_.set(s); }
  // The valid start of Comment: CommentLen characters. A CommentLen above 512
  // means nothing defined; it is read as the whole field.
  std::string Comment() const {
    return std::string(reinterpret_cast<const char*>(Comment_), std::min<size_t>(CommentLen(), 512));
  }
  // Writes the text (cut to 512 bytes) and its length; bytes after it stay.
  void setComment(std::string_view s) {
    const size_t n = std::min<size_t>(s.size(), 512);
    if (n) std::memcpy(Comment_, s.data(), n);
    CommentLen_.set(static_cast<uint16_t>(n));
  }
  uint16_t CommentLen() const { return CommentLen_.get(); }
  void setCommentLen(uint16_t v) { CommentLen_.set(v); }
  bool UseCommonOptions() const { return UseCommonOptions_.get(); }
  void setUseCommonOptions(bool v) { UseCommonOptions_.set(v); }
  uint32_t BckColor() const { return BckColor_.get(); }
  void setBckColor(uint32_t v) { BckColor_.set(v); }
  int32_t ChgIntMode() const { return ChgIntMode_.get(); }
  void setChgIntMode(int32_t v) { ChgIntMode_.set(v); }
  int32_t ChgInt() const { return ChgInt_.get(); }
  void setChgInt(int32_t v) { ChgInt_.set(v); }
  int32_t ChgIntMin() const { return ChgIntMin_.get(); }
  void setChgIntMin(int32_t v) { ChgIntMin_.set(v); }
  int32_t ChgIntMax() const { return ChgIntMax_.get(); }
  void setChgIntMax(int32_t v) { ChgIntMax_.set(v); }
  int32_t ShowMode() const { return ShowMode_.get(); }
  void setShowMode(int32_t v) { ShowMode_.set(v); }
  int32_t EffectNum() const { return EffectNum_.get(); }
  void setEffectNum(int32_t v) { EffectNum_.set(v); }
  bool NoMouseMoveExit() const { return NoMouseMoveExit_.get(); }
  void setNoMouseMoveExit(bool v) { NoMouseMoveExit_.set(v); }
  bool DisableAllSounds() const { return DisableAllSounds_.get(); }
  void setDisableAllSounds(bool v) { DisableAllSounds_.set(v); }
  std::string AllBckSound() const { return AllBckSound_.get(); }
  // Cut to 255 characters, as the panel stores it.
  void setAllBckSound(std::string_view s) { AllBckSound_.set(s); }
};

struct TCNFItem {
  static constexpr size_t kSize = 744;

  cnf::ShortString<255> MediaPath_;
  cnf::LeInt64 MediaCRC_;
  cnf::ShortString<255> SoundPath_;
  cnf::Bool8 SoundLoop_;
  cnf::ShortString<64> PicText_;
  uint8_t PicTextPos_;
  cnf::Reserved<1> reserved587_;
  cnf::ShortString<64> PicTextFont_;
  uint8_t PicTextSize_;
  cnf::Reserved<2> padding654_;
  cnf::LeUInt32 PicTextColor_;
  cnf::Reserved<4> reserved660_;
  cnf::LeInt32 ChgInt_;
  cnf::LeInt32 EffectNum_;
  cnf::LeInt32 ShowMode_;
  cnf::LeUInt32 BckColor_;
  cnf::Reserved<64> reserved680_;

  uint8_t* bytes() { return reinterpret_cast<uint8_t*>(this); }
  const uint8_t* bytes() const { return reinterpret_cast<const uint8_t*>(this); }
  void zeroFill() { std::memset(bytes(), 0, kSize); }

  std::string MediaPath() const { return MediaPath_.get(); }
  void setMediaPath(std::string_view s) { MediaPath_.set(s); }
  // CRC-32 in the low half, high half 0 (see FileCRC).
  int64_t MediaCRC() const { return MediaCRC_.get(); }
  void setMediaCRC(int64_t v) { MediaCRC_.set(v); }
  std::string SoundPath() const { return SoundPath_.get(); }
  void setSoundPath(std::string_view s) { SoundPath_.set(s); }
  bool SoundLoop() const { return SoundLoop_.get(); }
  void setSoundLoop(bool v) { SoundLoop_.set(v); }
  std::string PicText() const { return PicText_.get(); }
  void setPicText(std::string_view s) { PicText_.set(s); }
  // 0 centre, 1 top, 2 right, 3 bottom, 4 left; anything else bottom.
  uint8_t PicTextPos() const { return PicTextPos_; }
  void setPicTextPos(uint8_t v) { PicTextPos_ = v; }
  std::string PicTextFont() const { return PicTextFont_.get(); }
  void setPicTextFont(std::string_view s) { PicTextFont_.set(s); }
  uint8_t PicTextSize() const { return PicTextSize_; }
  void setPicTextSize(uint8_t v) { PicTextSize_ = v; }
  uint32_t PicTextColor() const { return PicTextColor_.get(); }
  void setPicTextColor(uint32_t v) { PicTextColor_.set(v); }
  int32_t ChgInt() const { return ChgInt_.get(); }
  void setChgInt(int32_t v) { ChgInt_.set(v); }
  int32_t EffectNum() const { return EffectNum_.get(); }
  void setEffectNum(int32_t v) { EffectNum_.set(v); }
  int32_t ShowMode() const { return ShowMode_.get(); }
  void setShowMode(int32_t v) { ShowMode_.set(v); }
  uint32_t BckColor() const { return BckColor_.get(); }
  void setBckColor(uint32_t v) { BckColor_.set(v); }
};

// The format's tables, checked where the compiler can see them.
#define VORN_CNF_AT(T, f, off, size)                 \
  static_assert(offsetof(T, f) == (off), #f " offset"); \
  static_assert(sizeof(T::f) == (size), #f " size")

VORN_CNF_AT(TCNFHeader, Magic_, 0x000, 16);
VORN_CNF_AT(TCNFHeader, reserved16_, 0x010, 32);
VORN_CNF_AT(TCNFHeader, SavedAt_, 0x030, 8);
VORN_CNF_AT(TCNFHeader, reserved56_, 0x038, 1);
VORN_CNF_AT(TCNFHeader, reserved57_, 0x039, 163);
VORN_CNF_AT(TCNFHeader, ItemCount_, 0x0DC, 4);
VORN_CNF_AT(TCNFHeader, CollName_, 0x0E0, 65);
VORN_CNF_AT(TCNFHeader, CopyText_, 0x121, 65);
VORN_CNF_AT(TCNFHeader, CollURL_, 0x162, 65);
VORN_CNF_AT(TCNFHeader, Comment_, 0x1A3, 512);
VORN_CNF_AT(TCNFHeader, padding931_, 0x3A3, 1);
VORN_CNF_AT(TCNFHeader, CommentLen_, 0x3A4, 2);
VORN_CNF_AT(TCNFHeader, UseCommonOptions_, 0x3A6, 1);
VORN_CNF_AT(TCNFHeader, padding935_, 0x3A7, 1);
VORN_CNF_AT(TCNFHeader, BckColor_, 0x3A8, 4);
VORN_CNF_AT(TCNFHeader, ChgIntMode_, 0x3AC, 4);
VORN_CNF_AT(TCNFHeader, ChgInt_, 0x3B0, 4);
VORN_CNF_AT(TCNFHeader, ChgIntMin_, 0x3B4, 4);
VORN_CNF_AT(TCNFHeader, ChgIntMax_, 0x3B8, 4);
VORN_CNF_AT(TCNFHeader, ShowMode_, 0x3BC, 4);
VORN_CNF_AT(TCNFHeader, EffectNum_, 0x3C0, 4);
VORN_CNF_AT(TCNFHeader, NoMouseMoveExit_, 0x3C4, 1);
VORN_CNF_AT(TCNFHeader, DisableAllSounds_, 0x3C5, 1);
VORN_CNF_AT(TCNFHeader, AllBckSound_, 0x3C6, 256);
VORN_CNF_AT(TCNFHeader, reserved1222_, 0x4C6, 98);
static_assert(sizeof(TCNFHeader) == TCNFHeader::kSize && alignof(TCNFHeader) == 1);

VORN_CNF_AT(TCNFItem, MediaPath_, 0x000, 256);
VORN_CNF_AT(TCNFItem, MediaCRC_, 0x100, 8);
VORN_CNF_AT(TCNFItem, SoundPath_, 0x108, 256);
VORN_CNF_AT(TCNFItem, SoundLoop_, 0x208, 1);
VORN_CNF_AT(TCNFItem, PicText_, 0x209, 65);
VORN_CNF_AT(TCNFItem, PicTextPos_, 0x24A, 1);
VORN_CNF_AT(TCNFItem, reserved587_, 0x24B, 1);
VORN_CNF_AT(TCNFItem, PicTextFont_, 0x24C, 65);
VORN_CNF_AT(TCNFItem, PicTextSize_, 0x28D, 1);
VORN_CNF_AT(TCNFItem, padding654_, 0x28E, 2);
VORN_CNF_AT(TCNFItem, PicTextColor_, 0x290, 4);
VORN_CNF_AT(TCNFItem, reserved660_, 0x294, 4);
VORN_CNF_AT(TCNFItem, ChgInt_, 0x298, 4);
VORN_CNF_AT(TCNFItem, EffectNum_, 0x29C, 4);
VORN_CNF_AT(TCNFItem, ShowMode_, 0x2A0, 4);
VORN_CNF_AT(TCNFItem, BckColor_, 0x2A4, 4);
VORN_CNF_AT(TCNFItem, reserved680_, 0x2A8, 64);
static_assert(sizeof(TCNFItem) == TCNFItem::kSize && alignof(TCNFItem) == 1);

#undef VORN_CNF_AT

}  // namespace vorn
