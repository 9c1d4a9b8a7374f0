// PLUS: procedure declarations become anchors; calls of them links, to this
// element or, for IMPORTED procedures, to the element that EXPORTs the
// external name. Comments (from a double quote on) are coloured.

#include <map>
#include <stdexcept>

#include "u2200/Class2200.h"
#include "xref/Scan.h"

namespace morvanta::xref {

namespace {

struct Declaration {
  std::size_t line;
  std::u16string name;
  std::u16string type;      // EXPORTED, IMPORTED, INTERNAL or ""
  std::u16string external;  // the name in apostrophes
};

std::vector<Declaration> declarationsOf(Class2200& cls, const std::vector<std::u16string>& lines) {
  std::vector<Declaration> found;
  for (std::size_t n = 0; n < lines.size(); ++n) {
    try {
      std::u16string line = lines[n];
      const std::u16string name = cls.get_procedure_Name(u"make", line);
      // "NAME : PROCEDURE EXPORTED ..." names no procedure after the keyword.
      if (name.empty() || name == u"EXPORTED" || name == u"IMPORTED" || name == u"INTERNAL") {
        continue;
      }
      Declaration declaration{n, name, {}, {}};
      std::int16_t repeat = 0;
      declaration.type = cls.get_procedure_type(lines[n], declaration.external, repeat);
      // A declaration continued on the next lines: join them until it ends.
      std::u16string joined = lines[n];
      for (std::size_t next = n + 1; repeat == 1 && next < lines.size() && next < n + 5; ++next) {
        joined = cls.LINE_Renketu(joined, lines[next], 1, 0);
        declaration.type = cls.get_procedure_type(joined, declaration.external, repeat);
      }
      found.push_back(declaration);
    } catch (const std::exception&) {
    }
  }
  return found;
}

}  // namespace

ScannedElement scanPlus(std::vector<std::u16string> lines) {
  ScannedElement out;
  out.kind = Kind::Plus;
  out.lines = std::move(lines);
  Class2200 cls;
  const std::vector<Declaration> declarations = declarationsOf(cls, out.lines);

  std::map<std::u16string, std::u16string> imported;  // procedure -> external name
  for (const auto& declaration : declarations) {
    const std::u16string upper = upperAscii(out.lines[declaration.line]);
    if (declaration.type == u"IMPORTED") {
      imported[declaration.name] =
          declaration.external.empty() ? declaration.name : declaration.external;
      continue;
    }
    const std::size_t at = findName(upper, declaration.name, upper.find(u"PROCEDURE") + 9);
    if (at != std::u16string::npos) {
      out.marks.push_back(
          {declaration.line, at, declaration.name.size(), MarkType::Anchor, declaration.name});
    }
    if (declaration.type == u"EXPORTED") {
      out.definitions.push_back({declaration.name, declaration.name});
      if (!declaration.external.empty() && declaration.external != declaration.name) {
        out.definitions.push_back({declaration.external, declaration.name});
      }
    }
  }

  std::u16string comments, function;
  for (std::size_t n = 0; n < out.lines.size(); ++n) {
    const std::u16string& line = out.lines[n];
    try {
      if (const std::int16_t quote = cls.comment_chk(line, 1); quote > 0) {
        const auto column = static_cast<std::size_t>(quote - 1);
        out.marks.push_back({n, column, line.size() - column, MarkType::Comment, {}});
        // The comment that says what the element does, when one does.
        cls.keep_comment(line, comments, function, 1);
      }
      std::int16_t column = 0;
      const std::u16string name = cls.get_sub_procedure_name(line, column);
      if (name.empty() || column < 1) continue;
      const auto at = static_cast<std::size_t>(column - 1);
      if (auto external = imported.find(name); external != imported.end()) {
        out.marks.push_back({n, at, name.size(), MarkType::SymbolLink, external->second});
        out.uses.push_back({u"CALL", external->second, false});
      } else {
        out.marks.push_back({n, at, name.size(), MarkType::LocalLink, name});
      }
    } catch (const std::exception&) {
    }
  }
  out.summary = !function.empty()         ? function
                : out.definitions.empty() ? std::u16string()
                                          : u"EXPORTED " + out.definitions.front().symbol;
  return out;
}

}  // namespace morvanta::xref
