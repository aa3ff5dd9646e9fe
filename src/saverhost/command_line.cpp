#include "saverhost/command_line.h"

#include "text/cp1250.h"

namespace vorn::saverhost {
namespace {

bool isSeparator(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Reads one argument starting at `pos`; returns false when the line is used up.
bool nextArgument(std::string_view line, size_t& pos, std::string& out) {
  out.clear();
  while (pos < line.size() && isSeparator(line[pos])) ++pos;
  if (pos >= line.size()) return false;
  while (pos < line.size() && !isSeparator(line[pos])) {
    if (line[pos] == '"') {
      ++pos;
      while (pos < line.size() && line[pos] != '"') out += line[pos++];
      if (pos < line.size()) ++pos;  // the closing quote; an open one runs to the end
    } else {
      out += line[pos++];
    }
  }
  return true;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  std::vector<std::string> args;
  size_t pos = 0;
  std::string arg;
  while (nextArgument(commandLine, pos, arg)) {
    // The runtime counts arguments up to the first empty one.
    if (arg.empty()) break;
    args.push_back(arg);
  }
  return args;
}

CommandLine::CommandLine(std::string exePath, std::string_view rawCommandLine)
    : exePath_(std::move(exePath)) {
  std::vector<std::string> all = SplitCommandLine(rawCommandLine);
  if (!all.empty()) args_.assign(all.begin() + 1, all.end());
}

CommandLine CommandLine::FromArguments(std::string exePath, std::vector<std::string> args) {
  CommandLine c;
  c.exePath_ = std::move(exePath);
  for (auto& a : args) {
    if (a.empty()) break;
    c.args_.push_back(std::move(a));
  }
  return c;
}

const std::string& CommandLine::ParamStr(int index) const {
  static const std::string kMissing;
  if (index == 0) return exePath_;
  if (index < 0 || index > ParamCount()) return kMissing;
  return args_[static_cast<size_t>(index - 1)];
}

std::string SaverBaseName(std::string_view exePath) {
  size_t cut = exePath.find_last_of("\\/:");
  std::string_view name = cut == std::string_view::npos ? exePath : exePath.substr(cut + 1);
  if (name.size() <= 4) return {};
  return std::string(name.substr(0, name.size() - 4));
}

bool IsRegistrationSwitch(std::string_view arg1) {
  return text::asciiUpper(arg1).find("/DEFAULTSS=THIS") != std::string::npos;
}

char ModeLetter(std::string_view arg1) {
  if (arg1.size() < 2) return 0;
  return text::asciiUpper(arg1[1]);
}

int32_t StrToIntDef(std::string_view s, int32_t fallback) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  bool hex = false;
  if (i < s.size() && s[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= s.size()) return fallback;
  uint64_t v = 0;
  const uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  for (; i < s.size(); ++i) {
    int d = hex ? hexDigit(s[i]) : (s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : -1);
    if (d < 0) return fallback;
    v = v * (hex ? 16 : 10) + static_cast<uint64_t>(d);
    if (v > limit) return fallback;
  }
  uint32_t bits = static_cast<uint32_t>(v);
  if (negative) bits = 0u - bits;
  return static_cast<int32_t>(bits);
}

std::optional<int32_t> PreviewHandleCandidate(std::string_view arg2) {
  // Converted twice, with two fallbacks: only a real number other than -1
  // gives the same value both times.
  int32_t handle = StrToIntDef(arg2, 0);
  if (StrToIntDef(arg2, -1) == -1) return std::nullopt;
  return handle;
}

int32_t PasswordParentHandle(std::string_view arg2) {
  return StrToIntDef(text::asciiUpper(arg2), 0);
}

bool IsTestRun(std::string_view arg2) { return arg2 == "/TEST"; }

}  // namespace vorn::saverhost
