#pragma once
// cnftool: makes, prints, checks and edits collection files from scripts.
// The commands run against an injected file system so tests drive them in
// memory; main() binds the real one.
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace vorn::cnftool {

struct Env {
  FileSystem& fs;
  std::ostream& out;
  std::ostream& err;
  // The full path to store for a media file named on the command line
  // (Windows-1250), as a Windows program would see it.
  std::function<std::string(const std::string&)> storedPathOf;
  std::function<double()> now;  // local time as an OLE date; empty: the clock
};

// Exit codes: 0 done, 1 the file or a media check failed, 2 bad command line.
enum : int { kOk = 0, kFailed = 1, kUsage = 2 };

// args exclude the program name; texts are UTF-8.
int run(const std::vector<std::string>& args, Env& env);

std::string usageText();

}  // namespace vorn::cnftool
