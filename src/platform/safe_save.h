#pragma once
// Replacing a file so that it is never seen half-written: the new contents go
// into a temporary file beside the target, are flushed to the disk and closed,
// and only then replace the target in one rename. Any failure removes the
// temporary file and leaves the target exactly as it was.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/result.h"

namespace vorn {

// The temporary file's name: the target's with a suffix, in the same folder so
// the rename never crosses a volume.
std::string safeSaveTempPath(const std::string& path);

Status saveFileSafely(FileSystem& fs, const std::string& path, const std::vector<uint8_t>& data);

}  // namespace vorn
