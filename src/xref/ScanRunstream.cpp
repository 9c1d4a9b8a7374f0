// Runstreams: @QUAL and @USE name the files that the element references
// of @ADD, @START, @COPY and the processor calls point into.

#include <map>
#include <stdexcept>

#include "u2200/Class2200.h"
#include "xref/Scan.h"

namespace morvanta::xref {

namespace {

// Processor calls whose first operand is a source or program element.
const std::u16string kProcessors[] = {u"ACOB", u"UCOB", u"COB",  u"MASM", u"PLUS",
                                      u"UPLS", u"PLS",  u"SKEL", u"XQT"};

struct RunstreamState {
  std::u16string qualifier;                       // from @QUAL, else from @RUN's project
  std::map<std::u16string, std::u16string> uses;  // @USE name -> QUAL*FILE
};

// The statement word without "@" and options: "@ADD,PL X" gives "ADD".
std::u16string statementOf(const std::u16string& line) {
  std::size_t end = 1;
  while (end < line.size() && line[end] != u',' && line[end] != u' ') ++end;
  return upperAscii(line.substr(1, end - 1));
}

// Column just after the statement word with its options.
std::size_t operandsStart(const std::u16string& line) {
  std::size_t at = line.find(u' ');
  return at == std::u16string::npos ? line.size() : at;
}

// The 2200 file a name of a statement points to: "Q*F", "*F" under the
// qualifier, or a @USE name; a plain file name takes the qualifier.
std::u16string fileOf(const RunstreamState& state, const std::u16string& qual,
                      const std::u16string& pika, const std::u16string& name) {
  const std::u16string file = upperAscii(text::trimBlanks(name));
  if (file.empty() || file == u"TPF$") return {};
  if (!pika.empty()) {
    const std::u16string q = upperAscii(text::trimBlanks(qual));
    return (q.empty() ? state.qualifier : q) + u"*" + file;
  }
  if (auto use = state.uses.find(file); use != state.uses.end()) return use->second;
  if (state.qualifier.empty()) return {};
  return state.qualifier + u"*" + file;
}

std::u16string fileOfName(const Class2200& cls, const RunstreamState& state,
                          const std::u16string& name) {
  std::u16string qual, pika, file;
  cls.U2200_FILE_PHASE(name, qual, pika, file);
  return fileOf(state, qual, pika, file);
}

void addElementLink(ScannedElement& out, std::size_t n, const std::u16string& operand,
                    std::size_t from, const std::u16string& relation, const std::u16string& file,
                    const std::u16string& element) {
  const std::u16string elt = upperAscii(text::trimBlanks(element));
  if (file.empty() || elt.empty() || operand.empty()) return;
  const std::size_t at = out.lines[n].find(operand, from);
  if (at == std::u16string::npos) return;
  const std::u16string key = file + u"." + elt;
  out.marks.push_back({n, at, operand.size(), MarkType::ElementLink, key});
  out.uses.push_back({relation, key, true});
}

// The first operand after the statement word, up to "," or a blank.
std::u16string firstOperand(const std::u16string& line) {
  std::size_t at = operandsStart(line);
  while (at < line.size() && line[at] == u' ') ++at;
  std::size_t end = at;
  while (end < line.size() && line[end] != u',' && line[end] != u' ') ++end;
  return line.substr(at, end - at);
}

void scanStatement(const Class2200& cls, RunstreamState& state, ScannedElement& out,
                   std::size_t n) {
  const std::u16string& line = out.lines[n];
  // The runstream operations read up to a blank: the line gets one at its end.
  const std::u16string text = line + u" ";
  const std::u16string statement = statementOf(line);
  const std::size_t from = operandsStart(line);
  if (statement == u"RUN") {
    std::u16string runId, project;
    cls.TANKA_RUN_PHASE(text, runId, project);
    out.summary = u"@RUN " + text::trimBlanks(runId);
    // The run's project is the implied qualifier until a @QUAL.
    if (!text::trimBlanks(project).empty()) state.qualifier = upperAscii(text::trimBlanks(project));
  } else if (statement == u"QUAL") {
    const std::u16string qual = upperAscii(text::trimBlanks(cls.TANKA_QUAL_PHASE(text)));
    if (!qual.empty()) state.qualifier = qual;
  } else if (statement == u"USE") {
    std::u16string left, right;
    if (cls.TANKA_USE_PHASE(text, left, right) == 0) {
      std::u16string file = upperAscii(right);
      if (file.find(u'*') == std::u16string::npos && !state.qualifier.empty()) {
        file = state.qualifier + u"*" + file;
      }
      state.uses[upperAscii(left)] = file;
    }
  } else if (statement == u"ADD" || statement == u"START") {
    std::u16string qual, pika, file, element;
    cls.TANKA_ADD_START_PHASE(text, qual, pika, file, element);
    addElementLink(out, n, firstOperand(line), from, u"@" + statement,
                   fileOf(state, qual, pika, file), element);
  } else if (statement == u"COPY") {
    std::u16string leftFile, leftElement, rightFile, rightElement;
    cls.TANKA_COPY_PHASE(text, leftFile, leftElement, rightFile, rightElement);
    addElementLink(out, n, firstOperand(line), from, u"@COPY", fileOfName(cls, state, leftFile),
                   leftElement);
  } else {
    for (const auto& processor : kProcessors) {
      if (statement != processor) continue;
      const std::u16string operand = firstOperand(line);
      const std::size_t dot = operand.find(u'.');
      if (dot == std::u16string::npos || dot + 1 >= operand.size()) return;
      addElementLink(out, n, operand, from, u"@" + statement,
                     fileOfName(cls, state, operand.substr(0, dot)), operand.substr(dot + 1));
    }
  }
}

}  // namespace

ScannedElement scanRunstream(const ElementId& self, std::vector<std::u16string> lines) {
  ScannedElement out;
  out.kind = Kind::Runstream;
  out.lines = std::move(lines);
  const Class2200 cls;
  RunstreamState state;
  if (const std::size_t star = self.file.find(u'*'); star != std::u16string::npos) {
    state.qualifier = self.file.substr(0, star);
  }
  for (std::size_t n = 0; n < out.lines.size(); ++n) {
    const std::u16string& line = out.lines[n];
    if (line.empty() || line[0] != u'@') continue;
    if (line.starts_with(u"@.") || line.starts_with(u"@ .")) {
      out.marks.push_back({n, 0, line.size(), MarkType::Comment, {}});
      continue;
    }
    try {
      scanStatement(cls, state, out, n);
    } catch (const std::exception&) {
      // A statement too long for a text position: shown, not linked.
    }
    // " . " ends a statement; the rest of the line is a remark.
    if (const std::size_t remark = line.find(u" . "); remark != std::u16string::npos) {
      out.marks.push_back({n, remark + 1, line.size() - remark - 1, MarkType::Comment, {}});
    }
  }
  return out;
}

}  // namespace morvanta::xref
