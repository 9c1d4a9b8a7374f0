#pragma once
// Cutting batch and script lines into words the way the command interpreter
// does: blanks (space, tab) separate, double quotes group and are removed.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "text/TextRules.h"

namespace morvanta::runner {

struct Word {
  std::u16string text;    // without its quotes
  bool quoted = false;    // some part of it stood in double quotes
  std::size_t begin = 0;  // 0-based offsets of the raw word in the line
  std::size_t end = 0;    // one past its last character
};

std::vector<Word> splitWords(const std::u16string& line);
std::vector<std::u16string> wordTexts(const std::vector<Word>& words);

bool isBlank(char16_t c);
std::u16string trimBlanks(const std::u16string& text);
// Removes one pair of double quotes around the whole text, if there is one.
std::u16string unquote(const std::u16string& text);
// ASCII upper case; every other character stays.
using text::upperAscii;
bool equalsIgnoringCase(const std::u16string& a, const std::u16string& b);

// Lines are written with unquoted paths that may hold blanks. When the raw
// text names an existing file as a whole it is one path; otherwise the words
// are the paths. `exists` tells whether a path names an existing file.
std::vector<std::u16string> pathsOf(const std::u16string& raw,
                                    const std::function<bool(const std::u16string&)>& exists);

// The same for "FROM TO": when the words are not exactly two, the split at a
// blank whose left part is an existing file. Empty when there is none.
std::vector<std::u16string> sourceAndTarget(
    const std::u16string& raw, const std::function<bool(const std::u16string&)>& exists);

}  // namespace morvanta::runner
