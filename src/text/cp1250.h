#pragma once
// Windows-1250 is the system's own text encoding: every text in the
// collection file, every message and caption is a string of these bytes.
// Conversions are total: all 256 bytes map to a code point (the five bytes the
// code page leaves undefined map to the C1 control of the same value, as the
// platform's own conversion does), so a byte string survives a round trip.
#include <cstdint>
#include <string>
#include <string_view>

namespace vorn::text {

// One byte of Windows-1250 to its Unicode code point.
char32_t cp1250ToCodePoint(uint8_t byte);
// A code point to its Windows-1250 byte, or '?' when the code page lacks it.
uint8_t codePointToCp1250(char32_t cp, bool* exact = nullptr);

std::u16string cp1250ToUtf16(std::string_view bytes);
std::string utf16ToCp1250(std::u16string_view text);
std::string cp1250ToUtf8(std::string_view bytes);
// Invalid UTF-8 sequences become '?'.
std::string utf8ToCp1250(std::string_view utf8);

// The system's texts are written in the sources as UTF-8 and turned into
// Windows-1250 bytes here, so the literals stay readable.
inline std::string W1250(std::string_view utf8) { return utf8ToCp1250(utf8); }

// Upper-casing as the command line and the file-kind rules use it: only the
// ASCII letters a..z change; accented letters stay as they are.
std::string asciiUpper(std::string_view s);
char asciiUpper(char c);

}  // namespace vorn::text
