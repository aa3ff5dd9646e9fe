#pragma once
// The integrity value of a media file: the reflected CRC-32 table
// (polynomial 0xEDB88320) run with initial register 0 and no final
// inversion, so "abc" gives 0xCA6598D0, not the usual 0x352441C2.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/file_system.h"

namespace vorn {

// Null data or a length of 0 or less returns the register unchanged.
uint32_t CRC32(uint32_t reg, const uint8_t* data, int64_t length);

// How many leading bytes of a media file take part in its check.
inline constexpr size_t kCrcSpan = 4096;

// CRC32(0, first 4096 bytes) widened to 64 bits with a zero high half, or
// nullopt when the file cannot be opened or read (which fails the check).
// A file shorter than 4096 bytes is taken as its bytes followed by zeros up
// to 4096, in the generator as here, so both compute the same value.
std::optional<uint64_t> FileCRC(FileSystem& fs, const std::string& path);
// The same value for bytes already in memory (the generator's side).
uint64_t mediaCrcOf(const uint8_t* data, size_t size);

}  // namespace vorn
