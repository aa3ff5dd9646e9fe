#include "platform/safe_save.h"

namespace vorn {

std::string safeSaveTempPath(const std::string& path) { return path + ".new"; }

Status saveFileSafely(FileSystem& fs, const std::string& path, const std::vector<uint8_t>& data) {
  const std::string temp = safeSaveTempPath(path);
  auto fail = [&](const char* what) -> Status {
    fs.remove(temp);
    return makeError(std::string(what) + ": " + path);
  };
  std::unique_ptr<WritableFile> file = fs.openWrite(temp);
  if (!file) return fail("cannot create the temporary file");
  if (!data.empty() && !file->write(data.data(), data.size())) {
    file->close();
    return fail("cannot write the file");
  }
  if (!file->flush()) {
    file->close();
    return fail("cannot flush the file to the disk");
  }
  if (!file->close()) return fail("cannot close the file");
  file.reset();
  if (!fs.rename(temp, path)) return fail("cannot replace the file");
  return {};
}

}  // namespace vorn
