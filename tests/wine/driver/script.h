#pragma once
// Script lines: a command word and its arguments, split at blanks; a
// double-quoted argument keeps its blanks and knows the escapes \" \\ \r \n
// \t. '#' starts a comment outside quotes. Texts are UTF-8.
#include <string>
#include <vector>

namespace driver {

struct Command {
  std::string source;  // "file:line" or "-c #n", for messages
  std::vector<std::string> words;
};

// False with a message when a quote is left open.
bool splitLine(const std::string& line, std::vector<std::string>& words, std::string& error);

}  // namespace driver
