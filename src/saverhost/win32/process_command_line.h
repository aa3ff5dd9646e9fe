#pragma once
#include <string>

#include "saverhost/command_line.h"

namespace vorn::saverhost {

// This process's arguments: argument 0 from the module file name, the rest
// from the process command line, both as Windows-1250 bytes (characters the
// code page lacks become '?').
const CommandLine& ProcessCommandLine();

// The executable's full path as the system gives it, wide: the one path
// that must reach the file whatever its folders are named.
const std::wstring& ProcessExecutablePath();

}  // namespace vorn::saverhost
