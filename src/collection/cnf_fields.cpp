#include "collection/cnf_fields.h"

#include <bit>
#include <charconv>
#include <limits>
#include <type_traits>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "collection/cnf_records.h"
#include "text/cp1250.h"

namespace vorn {
namespace {

using K = CnfFieldKind;
#define H(f, kind, cap, settable) CnfField{#f, kind, offsetof(TCNFHeader, f##_), cap, settable}
#define I(f, kind, cap) CnfField{#f, kind, offsetof(TCNFItem, f##_), cap, true}

const CnfField kHeader[] = {
    H(Magic, K::Magic, 16, false),
    H(SavedAt, K::Date, 0, false),
    H(ItemCount, K::Int32, 0, false),
    H(CollName, K::Text, 64, true),
    H(CopyText, K::Text, 64, true),
    H(CollURL, K::Text, 64, true),
    H(Comment, K::Comment, 512, true),
    H(CommentLen, K::UInt16, 0, true),
    H(UseCommonOptions, K::Bool, 0, true),
    H(BckColor, K::Colour, 0, true),
    H(ChgIntMode, K::Int32, 0, true),
    H(ChgInt, K::Int32, 0, true),
    H(ChgIntMin, K::Int32, 0, true),
    H(ChgIntMax, K::Int32, 0, true),
    H(ShowMode, K::Int32, 0, true),
    H(EffectNum, K::Int32, 0, true),
    H(NoMouseMoveExit, K::Bool, 0, true),
    H(DisableAllSounds, K::Bool, 0, true),
    H(AllBckSound, K::Text, 255, true),
};

const CnfField kItem[] = {
    I(MediaPath, K::Text, 255),
    I(MediaCRC, K::Int64, 0),
    I(SoundPath, K::Text, 255),
    I(SoundLoop, K::Bool, 0),
    I(PicText, K::Text, 64),
    I(PicTextPos, K::Byte, 0),
    I(PicTextFont, K::Text, 64),
    I(PicTextSize, K::Byte, 0),
    I(PicTextColor, K::Colour, 0),
    I(ChgInt, K::Int32, 0),
    I(EffectNum, K::Int32, 0),
    I(ShowMode, K::Int32, 0),
    I(BckColor, K::Colour, 0),
};
#undef H
#undef I

// The records' own field types read and write the bytes, so a text's length
// byte and the comment's length follow one rule wherever they are set.
// Short strings hold 64 or 255 bytes.
std::string shortStringText(const uint8_t* p, size_t capacity) {
  if (capacity == 64) return reinterpret_cast<const cnf::ShortString<64>*>(p)->get();
  return reinterpret_cast<const cnf::ShortString<255>*>(p)->get();
}
void setShortString(uint8_t* p, size_t capacity, std::string_view s) {
  if (capacity == 64)
    reinterpret_cast<cnf::ShortString<64>*>(p)->set(s);
  else
    reinterpret_cast<cnf::ShortString<255>*>(p)->set(s);
}
// Comment is a field of the header alone; `r` is the header's own bytes.
const TCNFHeader& headerOf(const uint8_t* r) { return *reinterpret_cast<const TCNFHeader*>(r); }
TCNFHeader& headerOf(uint8_t* r) { return *reinterpret_cast<TCNFHeader*>(r); }

std::string textOf(const uint8_t* r, const CnfField& f) {
  switch (f.kind) {
    case K::Magic: {
      size_t n = 0;
      while (n < 16 && r[f.offset + n]) ++n;
      return std::string(reinterpret_cast<const char*>(r + f.offset), n);
    }
    case K::Text:
      return shortStringText(r + f.offset, f.capacity);
    case K::Comment:
      return headerOf(r).Comment();
    default:
      return {};
  }
}

template <typename T>
bool parseInt(std::string_view s, T& out) {
  bool neg = false;
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
    neg = s[0] == '-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty()) return false;
  uint64_t v = 0;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v, base);
  if (ec != std::errc() || p != s.data() + s.size()) return false;
  if (neg) {
    if constexpr (std::is_signed_v<T>) {
      if (v > uint64_t(std::numeric_limits<T>::max()) + 1) return false;
      out = T(-int64_t(v - 1) - 1);
      return true;
    }
    return v == 0 ? (out = 0, true) : false;
  }
  // Unsigned-looking values also fill a signed field bit for bit (0xFFFFFFFF = -1).
  using U = std::make_unsigned_t<T>;
  if (v > uint64_t(std::numeric_limits<U>::max())) return false;
  out = T(U(v));
  return true;
}

}  // namespace

std::span<const CnfField> cnfHeaderFields() { return kHeader; }
std::span<const CnfField> cnfItemFields() { return kItem; }

const CnfField* findCnfField(std::span<const CnfField> fields, std::string_view name) {
  for (const CnfField& f : fields)
    if (name == f.name) return &f;
  return nullptr;
}

std::string cnfFieldText(const uint8_t* r, const CnfField& f) {
  const uint8_t* p = r + f.offset;
  switch (f.kind) {
    case K::Magic:
    case K::Text:
    case K::Comment:
      return text::cp1250ToUtf8(textOf(r, f));
    case K::Int32: return std::to_string(int32_t(cnf::loadLe32(p)));
    case K::UInt16: return std::to_string(reinterpret_cast<const cnf::LeUInt16*>(p)->get());
    case K::Int64: return std::to_string(int64_t(cnf::loadLe64(p)));
    case K::Byte: return std::to_string(p[0]);
    case K::Bool: return p[0] ? "1" : "0";
    case K::Colour: return std::to_string(cnf::loadLe32(p));
    case K::Date: {
      char buf[40];
      std::snprintf(buf, sizeof buf, "%.17g", std::bit_cast<double>(cnf::loadLe64(p)));
      return buf;
    }
  }
  return {};
}

Status setCnfField(uint8_t* r, const CnfField& f, std::string_view v) {
  uint8_t* p = r + f.offset;
  auto bad = [&](const char* what) { return makeError(std::string(f.name) + ": " + what + ": " + std::string(v)); };
  switch (f.kind) {
    case K::Magic:
    case K::Date:
      return bad("set by every save, not by hand");
    case K::Text:
    case K::Comment: {
      // Only text that survives the trip to Windows-1250 and back is stored.
      const std::string bytes = text::utf8ToCp1250(v);
      if (text::cp1250ToUtf8(bytes) != v) return bad("text has characters Windows-1250 cannot hold");
      if (bytes.size() > f.capacity)
        return bad(("text is " + std::to_string(bytes.size()) + " bytes, the field holds " +
                    std::to_string(f.capacity)).c_str());
      if (f.kind == K::Text)
        setShortString(p, f.capacity, bytes);
      else
        headerOf(r).setComment(bytes);
      return {};
    }
    case K::Bool: {
      if (v == "1" || v == "true" || v == "yes") p[0] = 1;
      else if (v == "0" || v == "false" || v == "no") p[0] = 0;
      else return bad("not a bool (0/1/true/false)");
      return {};
    }
    case K::Colour: {
      uint32_t c = 0;
      if (v.size() == 7 && v[0] == '#') {
        uint32_t rgb = 0;
        auto [e, ec] = std::from_chars(v.data() + 1, v.data() + 7, rgb, 16);
        if (ec != std::errc() || e != v.data() + 7) return bad("not a #RRGGBB colour");
        c = (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
      } else if (!parseInt(v, c)) {
        return bad("not a colour (0x00BBGGRR or #RRGGBB)");
      }
      cnf::storeLe32(p, c);
      return {};
    }
    case K::Int32: {
      int32_t x;
      if (!parseInt(v, x)) return bad("not a 32-bit integer");
      cnf::storeLe32(p, uint32_t(x));
      return {};
    }
    case K::UInt16: {
      uint16_t x;
      if (!parseInt(v, x)) return bad("not a 16-bit unsigned integer");
      reinterpret_cast<cnf::LeUInt16*>(p)->set(x);
      return {};
    }
    case K::Int64: {
      int64_t x;
      if (!parseInt(v, x)) return bad("not a 64-bit integer");
      cnf::storeLe64(p, uint64_t(x));
      return {};
    }
    case K::Byte: {
      uint8_t x;
      if (!parseInt(v, x)) return bad("not a byte (0..255)");
      p[0] = x;
      return {};
    }
  }
  return bad("unknown field kind");
}

}  // namespace vorn
