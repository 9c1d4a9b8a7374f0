// COBOL: the program id and the paragraphs and sections of the procedure
// division become anchors, PERFORMs of them links, CALLs links to the
// element that declares the called program.

#include <set>
#include <stdexcept>

#include "u2200/Class2200.h"
#include "xref/Scan.h"

namespace morvanta::xref {

namespace {

struct Paragraph {
  std::size_t line;
  std::u16string name;
};

// Pass one: the program id and the paragraph and section names, with the
// lines that declare them.
std::vector<Paragraph> paragraphsOf(const std::vector<std::u16string>& lines,
                                    std::u16string& programId, std::size_t& programLine) {
  Class2200 cls;
  std::vector<Paragraph> found;
  bool procedure = false;
  for (std::size_t n = 0; n < lines.size(); ++n) {
    try {
      std::u16string line = lines[n];
      if (const std::u16string id = cls.CBL_get_PROGRAMID_name(u"make", line);
          !id.empty() && programId.empty()) {
        programId = id;
        programLine = n;
      }
      if (cls.CBL_comment_chk(lines[n]) == 1) continue;
      if (cls.CBL_get_prog_start(line) == 1) {
        procedure = true;
        continue;
      }
      if (!procedure) continue;
      std::int16_t section = 0;
      if (const std::u16string name = cls.CBL_get_PERFORM_body(lines[n], section); !name.empty()) {
        found.push_back({n, name});
      }
    } catch (const std::exception&) {
    }
  }
  return found;
}

}  // namespace

ScannedElement scanCobol(std::vector<std::u16string> lines) {
  ScannedElement out;
  out.kind = Kind::Cobol;
  out.lines = std::move(lines);
  std::u16string programId;
  std::size_t programLine = 0;
  const std::vector<Paragraph> paragraphs = paragraphsOf(out.lines, programId, programLine);
  std::set<std::u16string> names;
  for (const auto& paragraph : paragraphs) names.insert(paragraph.name);

  auto markName = [&](std::size_t n, const std::u16string& name, std::size_t from, MarkType type,
                      const std::u16string& target) {
    const std::size_t at = findName(upperAscii(out.lines[n]), name, from);
    if (at != std::u16string::npos) out.marks.push_back({n, at, name.size(), type, target});
  };

  if (!programId.empty()) {
    markName(programLine, programId, upperAscii(out.lines[programLine]).find(u"PROGRAM-ID.") + 11,
             MarkType::Anchor, programId);
    out.definitions.push_back({programId, programId});
    out.summary = u"PROGRAM-ID " + programId;
  }
  for (const auto& paragraph : paragraphs) {
    markName(paragraph.line, paragraph.name, 0, MarkType::Anchor, paragraph.name);
  }

  Class2200 cls;
  for (std::size_t n = 0; n < out.lines.size(); ++n) {
    try {
      std::u16string scratch = out.lines[n];
      cls.CBL_get_PROGRAMID_name(u"mark", scratch);  // keeps the column shift current
      if (cls.CBL_comment_chk(out.lines[n]) == 1) {
        const auto indicator = static_cast<std::size_t>(cls.Adjust_POS + 6);
        if (indicator < out.lines[n].size()) {
          out.marks.push_back(
              {n, indicator, out.lines[n].size() - indicator, MarkType::Comment, {}});
        }
        continue;
      }
      const std::u16string upper = upperAscii(out.lines[n]);
      scratch = out.lines[n];
      if (const std::u16string name = cls.CBL_get_PERFORM_name(u"mark", scratch);
          names.count(name) > 0) {
        markName(n, name, upper.find(u"PERFORM") + 7, MarkType::LocalLink, name);
      }
      scratch = out.lines[n];
      if (const std::u16string name = cls.CBL_get_CALL_name(u"mark", scratch); !name.empty()) {
        markName(n, name, upper.find(u"CALL") + 4, MarkType::SymbolLink, name);
        out.uses.push_back({u"CALL", name, false});
      }
    } catch (const std::exception&) {
    }
  }
  return out;
}

}  // namespace morvanta::xref
