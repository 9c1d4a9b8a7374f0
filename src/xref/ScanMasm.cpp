// MASM: labels kept by the two-pass scan become anchors, jump and call
// targets links; labels written "NAME*" and $EXPORT names are what other
// elements may call, $IMPORT labels stand for names of other elements.

#include <set>
#include <stdexcept>

#include "u2200/Class2200.h"
#include "xref/Scan.h"

namespace morvanta::xref {

namespace {

void addComments(ScannedElement& out, std::size_t n) {
  const std::u16string& line = out.lines[n];
  const std::size_t first = line.find_first_not_of(u' ');
  if (first == std::u16string::npos) return;
  if (line[first] == u'.') {
    out.marks.push_back({n, first, line.size() - first, MarkType::Comment, {}});
  } else if (const std::size_t remark = line.find(u" . "); remark != std::u16string::npos) {
    out.marks.push_back({n, remark + 1, line.size() - remark - 1, MarkType::Comment, {}});
  }
}

}  // namespace

ScannedElement scanMasm(std::vector<std::u16string> lines) {
  ScannedElement out;
  out.kind = Kind::Masm;
  out.lines = std::move(lines);
  Class2200 cls;
  std::set<std::u16string> labels;

  for (const auto& line : out.lines) {
    try {
      std::int16_t end = 0, start = 0;
      std::u16string type;
      cls.MSM_phase_label(u"make", line, end, type);
      if (end > 0) labels.insert(line.substr(0, static_cast<std::size_t>(end)));
      cls.MSM_phase_instruction(u"make", line, start, end, type);
    } catch (const std::exception&) {
      // Past a list's capacity or a text position: the line is not scanned.
    }
  }
  cls.MSM_label_jump_reset();

  std::set<std::u16string> defined;
  for (std::size_t n = 0; n < out.lines.size(); ++n) {
    const std::u16string& line = out.lines[n];
    addComments(out, n);
    try {
      std::int16_t end = 0;
      std::u16string type;
      cls.MSM_phase_label(u"mark", line, end, type);
      if (end > 0) {
        const std::u16string label = line.substr(0, static_cast<std::size_t>(end));
        out.marks.push_back({n, 0, label.size(), MarkType::Anchor, label});
        if (type == u"*" && defined.insert(label).second) out.definitions.push_back({label, label});
      }
      if (const std::u16string exported = cls.MSM_get_export_LABEL(line);
          !exported.empty() && defined.insert(exported).second) {
        out.definitions.push_back({exported, exported});
      }
      std::u16string copy = line;
      if (const std::u16string entry = cls.MSM_get_DOLLexport_name(copy);
          !entry.empty() && defined.insert(entry).second) {
        // The entry point is declared by the label of the $EXPORT line, if any.
        const std::u16string label = text::trimBlanks(line.substr(0, line.find(u' ')));
        out.definitions.push_back({entry, labels.count(label) > 0 ? label : entry});
      }

      std::int16_t start = 0;
      cls.MSM_phase_instruction(u"mark", line, start, end, type);
      if (start <= 0 || end < start) continue;
      const auto column = static_cast<std::size_t>(start - 1);
      const std::u16string target = line.substr(column, static_cast<std::size_t>(end - start + 1));
      // A call out of the element: to the name its $IMPORT stands for.
      std::u16string symbol = cls.MSM_import_SRCH(target);
      if (symbol.empty() && labels.count(target) > 0) {
        out.marks.push_back({n, column, target.size(), MarkType::LocalLink, target});
        continue;
      }
      if (symbol.empty()) symbol = target;
      out.marks.push_back({n, column, target.size(), MarkType::SymbolLink, symbol});
      out.uses.push_back({u"CALL", symbol, false});
    } catch (const std::exception&) {
    }
  }
  if (!out.definitions.empty()) out.summary = u"ENTRY " + out.definitions.front().symbol;
  return out;
}

}  // namespace morvanta::xref
