#include <cstddef>

#include "u2200/Class2200.h"
#include "xref/Scan.h"

namespace morvanta::xref {

namespace {
bool nameChar(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
         c == u'-' || c == u'_' || c == u'$';
}
}  // namespace

std::size_t findName(const std::u16string& line, const std::u16string& word, std::size_t from) {
  if (word.empty()) return std::u16string::npos;
  for (std::size_t at = line.find(word, from); at != std::u16string::npos;
       at = line.find(word, at + 1)) {
    const bool freeBefore = at == 0 || !nameChar(line[at - 1]);
    const std::size_t end = at + word.size();
    const bool freeAfter = end >= line.size() || !nameChar(line[end]);
    if (freeBefore && freeAfter) return at;
  }
  return std::u16string::npos;
}

ScannedElement scanElement(Kind kind, const ElementId& self, std::vector<std::u16string> lines) {
  switch (kind) {
    case Kind::Runstream:
      return scanRunstream(self, std::move(lines));
    case Kind::Masm:
      return scanMasm(std::move(lines));
    case Kind::Cobol:
      return scanCobol(std::move(lines));
    case Kind::Skel:
      return scanSkel(std::move(lines));
    case Kind::Plus:
      return scanPlus(std::move(lines));
    case Kind::Text:
      break;
  }
  ScannedElement text;
  text.lines = std::move(lines);
  return text;
}

namespace {

Kind kindOfHeader(const std::vector<std::u16string>& lines) {
  Class2200 cls;
  for (std::size_t n = 0; n < lines.size() && n < 5; ++n) {
    std::u16string line = lines[n];
    if (upperAscii(line).find(u"ED,R") == std::u16string::npos) continue;
    std::u16string type;
    cls.get_element_name(line, type);
    if (cls.Elt_PLUS_chk(type) == 1) return Kind::Plus;
    if (cls.Elt_MASM_chk(type) == 1) return Kind::Masm;
    if (cls.Elt_COB_chk(type) == 1) return Kind::Cobol;
    if (cls.Elt_SKEL_chk(type) == 1) return Kind::Skel;
  }
  return Kind::Text;
}

bool startsWith(const std::u16string& line, const std::u16string& head) {
  return line.rfind(head, 0) == 0;
}

}  // namespace

Kind detectKind(const std::u16string& func, const std::vector<std::u16string>& lines) {
  if (func != u"RUNSTREAM" && func != u"AUTO") return kindFromName(func);
  if (const Kind header = kindOfHeader(lines); header != Kind::Text) return header;

  bool firstIsControl = false, seenFirst = false;
  int cobol = 0, skel = 0, plus = 0, masm = 0;
  for (const auto& raw : lines) {
    const std::u16string line = upperAscii(raw);
    const std::u16string text = text::trimBlanks(line);
    if (text.empty()) continue;
    if (!seenFirst) {
      seenFirst = true;
      firstIsControl = text[0] == u'@';
    }
    if (line.find(u"PROGRAM-ID.") != std::u16string::npos ||
        line.find(u"IDENTIFICATION DIVISION") != std::u16string::npos) {
      ++cobol;
    }
    if (startsWith(text, u"*DEFINE") || startsWith(text, u"*PROCESS ")) ++skel;
    // "PROCEDURE X;" and "X : PROCEDURE EXPORTED 'Y';" declare; '"' opens a comment.
    if ((text.find(u"PROCEDURE") != std::u16string::npos && text.back() == u';') ||
        text[0] == u'"') {
      ++plus;
    }
    if (startsWith(text, u"$(") || startsWith(text, u"$ASCII") || startsWith(text, u"$EXTEND") ||
        text.find(u"$IMPORT") != std::u16string::npos || startsWith(text, u"END ")) {
      ++masm;
    }
  }
  // A runstream begins with a control statement, whatever data it carries.
  if (firstIsControl) return Kind::Runstream;
  if (cobol > 0) return Kind::Cobol;
  if (skel > 0) return Kind::Skel;
  if (plus > 0) return Kind::Plus;
  if (masm > 0) return Kind::Masm;
  return func == u"RUNSTREAM" ? Kind::Runstream : Kind::Text;
}

}  // namespace morvanta::xref
