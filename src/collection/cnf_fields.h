#pragma once
// The named fields of both records as a table, for the tools that print and
// set fields by name (cnftool, the demo generator). Offsets come from the
// records themselves, so the table cannot drift from the layout.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace vorn {

enum class CnfFieldKind {
  Magic,       // char[16]
  Text,        // short string; `capacity` bytes
  Comment,     // char[512] with CommentLen
  Int32,
  UInt16,
  Int64,
  Byte,
  Bool,
  Colour,      // 0x00BBGGRR
  Date,        // OLE date (double)
};

struct CnfField {
  const char* name;
  CnfFieldKind kind;
  size_t offset;
  size_t capacity;  // texts only
  bool settable;    // false for what a save sets itself (Magic, ItemCount, SavedAt)
};

std::span<const CnfField> cnfHeaderFields();
std::span<const CnfField> cnfItemFields();
const CnfField* findCnfField(std::span<const CnfField> fields, std::string_view name);

// The value as readable UTF-8 text.
std::string cnfFieldText(const uint8_t* record, const CnfField& f);
// Sets a field from UTF-8 text: integers in decimal or 0x hex, bools as
// 0/1/true/false/yes/no, colours also as #RRGGBB, texts that fit the field
// and Windows-1250. The record is unchanged on error.
Status setCnfField(uint8_t* record, const CnfField& f, std::string_view utf8Value);

}  // namespace vorn
