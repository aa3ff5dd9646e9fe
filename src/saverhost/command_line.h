#pragma once
// The command line as the screen saver reads it. The system starts the
// program with a short, fixed grammar:
//
//   argument 1   "/DEFAULTSS=THIS" anywhere, any case   one-shot registration
//                <any char><mode letter>[ignored...]    S, P, C, A; other: config box
//   argument 2   decimal window handle                  modes P and A
//                "/TEST" exactly                        test run
//
// Everything here is pure text work on Windows-1250 strings; the window
// handle checks that need the system live with the host.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn::saverhost {

// The runtime's split of a raw command line into arguments: runs of blanks
// and control characters (any byte up to 32) separate them, a double-quoted
// stretch keeps its blanks and loses its quotes. An argument that comes out
// empty (a bare "") ends the list, as it does in the runtime: nothing after
// it is seen. The program's own token is element 0.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// Arguments as the program sees them: argument 0 is the executable's full
// path (from the system, not from the command line), a missing argument is
// the empty string.
class CommandLine {
 public:
  CommandLine() = default;
  CommandLine(std::string exePath, std::string_view rawCommandLine);
  // For tests and callers that already hold the split arguments 1, 2, ...
  static CommandLine FromArguments(std::string exePath, std::vector<std::string> args);

  const std::string& ParamStr(int index) const;
  int ParamCount() const { return static_cast<int>(args_.size()); }

 private:
  std::string exePath_;
  std::vector<std::string> args_;  // arguments 1..n
};

// The file-name part of argument 0 with its last four characters cut off,
// whatever they are (no search for a dot): "C:\x\abc.scr" gives "abc".
std::string SaverBaseName(std::string_view exePath);

// True when argument 1, ASCII-upper-cased, contains "/DEFAULTSS=THIS".
bool IsRegistrationSwitch(std::string_view arg1);

// The second character of argument 1, ASCII-upper-cased; 0 when argument 1
// is shorter than two characters. The first character is skipped whatever
// it is, everything after the second is ignored ("/c:1234" reads as 'C').
char ModeLetter(std::string_view arg1);

// The runtime's string-to-integer conversion with a fallback: optional
// leading blanks, an optional sign, then decimal digits, or hexadecimal
// digits after "$" or "0x"; the whole rest must be digits and the value must
// fit a signed 32-bit integer (hexadecimal up to FFFFFFFF, taken as its bit
// pattern). Anything else gives the fallback.
int32_t StrToIntDef(std::string_view text, int32_t fallback);

// The preview's window handle from argument 2: the value when it converts
// and is not -1; nullopt when it is missing, not a number, or -1. The host
// still asks the system whether the handle is a window.
std::optional<int32_t> PreviewHandleCandidate(std::string_view arg2);

// The password change's parent window from argument 2: upper-cased, then
// converted with fallback 0; never checked.
int32_t PasswordParentHandle(std::string_view arg2);

// Exactly "/TEST", case-sensitive, as the whole argument 2.
bool IsTestRun(std::string_view arg2);

}  // namespace vorn::saverhost
