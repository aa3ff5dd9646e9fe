#include "script.h"

namespace driver {

bool splitLine(const std::string& line, std::vector<std::string>& words, std::string& error) {
  words.clear();
  size_t i = 0;
  const size_t n = line.size();
  while (i < n) {
    while (i < n && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r' || line[i] == '\n')) ++i;
    if (i >= n || line[i] == '#') break;
    std::string word;
    bool quoted = false;
    while (i < n) {
      char c = line[i];
      if (!quoted && (c == ' ' || c == '\t' || c == '\r' || c == '\n')) break;
      if (c == '"') {
        quoted = !quoted;
        ++i;
        continue;
      }
      if (quoted && c == '\\' && i + 1 < n) {
        char e = line[i + 1];
        i += 2;
        switch (e) {
          case 'r': word += '\r'; break;
          case 'n': word += '\n'; break;
          case 't': word += '\t'; break;
          default: word += e; break;  // \" and \\ and anything else: the character itself
        }
        continue;
      }
      word += c;
      ++i;
    }
    if (quoted) {
      error = "unclosed quote";
      return false;
    }
    words.push_back(word);
  }
  return true;
}

}  // namespace driver
