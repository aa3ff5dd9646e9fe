#include "cnf_json.h"

#include <bit>
#include <cmath>
#include <cstdio>

#include "collection/byte_fields.h"

namespace vorn::cnftool {

std::string jsonQuote(std::string_view s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20 || c == 0x7F) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += char(c);
        }
    }
  }
  return out + "\"";
}

std::string cnfFieldJson(const uint8_t* r, const CnfField& f) {
  switch (f.kind) {
    case CnfFieldKind::Magic:
    case CnfFieldKind::Text:
    case CnfFieldKind::Comment:
      return jsonQuote(cnfFieldText(r, f));
    case CnfFieldKind::Bool:
      return r[f.offset] ? "true" : "false";
    case CnfFieldKind::Date: {
      const double d = std::bit_cast<double>(cnf::loadLe64(r + f.offset));
      if (!std::isfinite(d)) return "null";
      char buf[40];
      std::snprintf(buf, sizeof buf, "%.17g", d);
      return buf;
    }
    default:
      return cnfFieldText(r, f);
  }
}

}  // namespace vorn::cnftool
