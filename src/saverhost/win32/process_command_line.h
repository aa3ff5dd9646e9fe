#pragma once
#include "saverhost/command_line.h"

namespace vorn::saverhost {

// This process's arguments: argument 0 from the module file name, the rest
// from the process command line, both as Windows-1250 bytes (characters the
// code page lacks become '?').
const CommandLine& ProcessCommandLine();

}  // namespace vorn::saverhost
