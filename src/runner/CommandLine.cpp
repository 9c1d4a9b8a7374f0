#include "runner/CommandLine.h"

namespace morvanta::runner {

bool isBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}

std::vector<Word> splitWords(const std::u16string& line) {
  std::vector<Word> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && isBlank(line[i])) ++i;
    if (i >= line.size()) break;
    Word word;
    word.begin = i;
    bool inQuotes = false;
    while (i < line.size() && (inQuotes || !isBlank(line[i]))) {
      if (line[i] == u'"') {
        inQuotes = !inQuotes;
        word.quoted = true;
      } else {
        word.text += line[i];
      }
      ++i;
    }
    word.end = i;
    words.push_back(std::move(word));
  }
  return words;
}

std::vector<std::u16string> wordTexts(const std::vector<Word>& words) {
  std::vector<std::u16string> texts;
  texts.reserve(words.size());
  for (const auto& word : words) texts.push_back(word.text);
  return texts;
}

std::u16string trimBlanks(const std::u16string& text) {
  return text::trimBlanks(text, u" \t");
}

std::u16string unquote(const std::u16string& text) {
  if (text.size() >= 2 && text.front() == u'"' && text.back() == u'"') {
    return text.substr(1, text.size() - 2);
  }
  return text;
}

bool equalsIgnoringCase(const std::u16string& a, const std::u16string& b) {
  return upperAscii(a) == upperAscii(b);
}

std::vector<std::u16string> pathsOf(const std::u16string& raw,
                                    const std::function<bool(const std::u16string&)>& exists) {
  const std::u16string whole = unquote(trimBlanks(raw));
  if (!whole.empty() && exists(whole)) return {whole};
  return wordTexts(splitWords(raw));
}

std::vector<std::u16string> sourceAndTarget(
    const std::u16string& raw, const std::function<bool(const std::u16string&)>& exists) {
  const auto words = splitWords(raw);
  if (words.size() == 2) return {words[0].text, words[1].text};
  if (words.size() < 2) return {};
  // More than two words: blanks inside unquoted paths. Split where the
  // source is a file that exists.
  const std::u16string text = trimBlanks(raw);
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (!isBlank(text[i]) || isBlank(text[i - 1])) continue;
    std::u16string from = unquote(trimBlanks(text.substr(0, i)));
    std::u16string to = unquote(trimBlanks(text.substr(i)));
    if (!to.empty() && exists(from)) return {from, to};
  }
  return {};
}

}  // namespace morvanta::runner
