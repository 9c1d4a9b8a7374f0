#include "runner/BatchLine.h"

#include "runner/JobError.h"

namespace morvanta::runner {

namespace {

// "/Y", "/-Y", "/Q": one switch letter, as XCOPY, ERASE and START take them.
// A Linux path such as "/tmp" is longer and never taken for a switch.
bool isSwitch(const Word& word) {
  const auto& t = word.text;
  if (word.quoted || t.size() < 2 || t.size() > 3 || t[0] != u'/') return false;
  if (t.size() == 3 && t[1] != u'-') return false;
  const char16_t letter = upperAscii(t.substr(t.size() - 1))[0];
  return letter >= u'A' && letter <= u'Z';
}

bool isStartOption(const Word& word) {
  static const std::u16string options[] = {u"/B",    u"/I",   u"/MIN",    u"/MAX",
                                           u"/WAIT", u"/LOW", u"/NORMAL", u"/HIGH"};
  if (word.quoted) return false;
  for (const auto& option : options) {
    if (equalsIgnoringCase(word.text, option)) return true;
  }
  return false;
}

std::u16string after(const std::u16string& line, const std::vector<Word>& words,
                     std::size_t index) {
  if (index >= words.size()) return {};
  return trimBlanks(line.substr(words[index].begin));
}

BatchLine parseFtp(const std::u16string& line, const std::vector<Word>& words) {
  for (std::size_t i = 1; i < words.size(); ++i) {
    const std::u16string raw = line.substr(words[i].begin, words[i].end - words[i].begin);
    if (raw.size() >= 3 && equalsIgnoringCase(raw.substr(0, 3), u"-s:")) {
      BatchLine parsed;
      parsed.kind = BatchKind::Ftp;
      // The script path runs to the end of the line: it may hold blanks.
      parsed.text = unquote(trimBlanks(line.substr(words[i].begin + 3)));
      if (parsed.text.empty()) throw JobError("ftp -s: names no script");
      return parsed;
    }
    if (words[i].text.empty() || words[i].text[0] != u'-') {
      throw JobError("ftp with a host on its command line is not supported; use -s:SCRIPT");
    }
  }
  throw JobError("ftp without -s:SCRIPT is not supported: there is no one to answer it");
}

BatchLine parseStart(const std::u16string& line, const std::vector<Word>& words) {
  BatchLine parsed;
  parsed.kind = BatchKind::Start;
  std::size_t i = 1;
  // As the command interpreter: a quoted first word is the window title.
  if (i + 1 < words.size() && words[i].quoted) ++i;
  for (; i < words.size() && isStartOption(words[i]); ++i) {
    if (equalsIgnoringCase(words[i].text, u"/WAIT")) parsed.wait = true;
  }
  if (i >= words.size() || words[i].text.empty()) throw JobError("START names no program");
  parsed.words.assign(words.begin() + static_cast<std::ptrdiff_t>(i), words.end());
  parsed.rest = after(line, words, i + 1);
  return parsed;
}

BatchLine parseWithSwitches(BatchKind kind, const std::u16string& line,
                            const std::vector<Word>& words) {
  BatchLine parsed;
  parsed.kind = kind;
  std::size_t i = 1;
  for (; i < words.size() && isSwitch(words[i]); ++i) {
    if (equalsIgnoringCase(words[i].text, u"/Y")) parsed.replace = true;
    if (equalsIgnoringCase(words[i].text, u"/-Y")) parsed.replace = false;
  }
  parsed.rest = after(line, words, i);
  return parsed;
}

}  // namespace

BatchLine parseBatchLine(const std::u16string& input) {
  std::u16string line = trimBlanks(input);
  while (!line.empty() && line[0] == u'@') line = trimBlanks(line.substr(1));
  BatchLine parsed;
  if (line.empty() || line[0] == u':') return parsed;

  const auto words = splitWords(line);
  const std::u16string command = upperAscii(line.substr(0, words[0].end));
  if (command == u"REM") return parsed;
  if (command == u"ECHO" || command.rfind(u"ECHO.", 0) == 0) {
    std::u16string text = command == u"ECHO" ? after(line, words, 1) : line.substr(5);
    const std::u16string upper = upperAscii(text);
    if (command == u"ECHO" && (upper == u"OFF" || upper == u"ON" || upper.empty())) return parsed;
    parsed.kind = BatchKind::Echo;
    parsed.text = text;
    return parsed;
  }
  if (command == u"FTP" || command == u"FTP.EXE") return parseFtp(line, words);
  if (command == u"START") return parseStart(line, words);
  if (command == u"XCOPY" || command == u"XCOPY.EXE") {
    return parseWithSwitches(BatchKind::Xcopy, line, words);
  }
  if (command == u"ERASE" || command == u"DEL") {
    return parseWithSwitches(BatchKind::Erase, line, words);
  }
  parsed.kind = BatchKind::Program;
  parsed.words = words;
  return parsed;
}

}  // namespace morvanta::runner
