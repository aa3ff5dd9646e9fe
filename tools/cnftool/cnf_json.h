#pragma once
// The JSON that cnftool prints for collection fields.
#include <cstdint>
#include <string>
#include <string_view>

#include "collection/cnf_fields.h"

namespace vorn::cnftool {

// The value as JSON: texts converted to UTF-8 and quoted, numbers as numbers,
// bools as true/false, a date that is no number as null.
std::string cnfFieldJson(const uint8_t* record, const CnfField& f);

// JSON string literal of UTF-8 text.
std::string jsonQuote(std::string_view utf8);

}  // namespace vorn::cnftool
